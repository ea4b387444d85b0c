// A script's walk of a generated project of 200 steps with parameters over the bus, beside its
// floors, and the build of the object tree.
//   Walk: a client on a private bus (its own dbus-daemon) lists every collection with Items() and
//   reads every object's properties with GetAll, from processes down to ranges.
//   Peer.Ping: org.freedesktop.DBus.Peer.Ping calls to the program's name, answered by the bus
//   library without reaching the objects: the round trips alone.
//   Hop floor: calls answered by the objects' handler on the main thread with the least work it
//   does (no object at the path): the round trips with the bus library's hand-off of each call to
//   the main thread and of its reply back, which every call to the objects makes.
//   The three run in turn, one block of the walk (a step's subtree) followed by as many calls of
//   each floor, over several rounds; "ratio_hop" (goal: at most "goal_ratio") and "ratio_ping" are
//   the walk's time over each floor's in those same rounds.
//   Build: the tree read from the open project. Goal: 1 s.
// The program's side serves on the main thread; the benchmarks run as the client on another.

#include "ProjectSession.h"
#include "SessionAppContext.h"
#include "SessionBenchMain.h"

#include "automation/AutomationBus.h"
#include "automation/AutomationModelBuilder.h"
#include "foundation/common/AutomationFlag.h"
#include "foundation/common/ServiceSlot.h"
#include "foundation/db/content/ProjectGenerator.h"

#include <QApplication>
#include <QDBusConnection>
#include <QDBusArgument>
#include <QDBusMessage>
#include <QDBusMetaType>
#include <QDBusObjectPath>
#include <QElapsedTimer>
#include <QProcess>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

#include <functional>
#include <thread>

namespace {
constexpr int STEPS = 200;
constexpr int LINES_PER_STEP = 20;
const char* const LEVELS[] = {"Processes", "Steps", "UnitProcedures", "Operations", "Groups", "Fields", "Ranges"};

struct BenchState {
    QString busAddress;
    CAutomationModelBuilder* builder = nullptr;
};

BenchState& state()
{
    static BenchState s;
    return s;
}

QDBusConnection clientConnection()
{
    static QDBusConnection connection = QDBusConnection::connectToBus(state().busAddress, QStringLiteral("client"));
    return connection;
}

QDBusMessage callOn(const QString& path, const QString& interface, const QString& member, const QVariantList& args = {})
{
    QDBusMessage call = QDBusMessage::createMethodCall(QLatin1String(CAutomationBus::SERVICE_NAME), path, interface, member);
    call.setArguments(args);
    return clientConnection().call(call, QDBus::Block, 60000);
}

// Lists a collection and reads each element, then the element's collection one level down.
long walkCollection(const QString& path, int level)
{
    const QDBusMessage items = callOn(path, QString(), QStringLiteral("Items"));
    long calls = 1;
    const auto paths = qdbus_cast<QList<QDBusObjectPath>>(items.arguments().value(0));
    for (const QDBusObjectPath& element : paths) {
        callOn(element.path(), QStringLiteral("org.freedesktop.DBus.Properties"), QStringLiteral("GetAll"), {QString()});
        ++calls;
        if (level + 1 < int(std::size(LEVELS)))
            calls += walkCollection(element.path() + '/' + LEVELS[level + 1], level + 1);
    }
    return calls;
}

const QString HOP_PATH = QStringLiteral("/Processes/0"); // ids start at 1: no object lives there

// The time of each kind of call over the same rounds.
struct Tally {
    qint64 walkNs = 0, pingNs = 0, hopNs = 0;
    long walkCalls = 0;
    bool pingFirst = true;
};

void pingCalls(long n)
{
    for (long i = 0; i < n; ++i)
        callOn(QStringLiteral("/Application"), QStringLiteral("org.freedesktop.DBus.Peer"), QStringLiteral("Ping"));
}

void hopCalls(long n)
{
    for (long i = 0; i < n; ++i)
        callOn(HOP_PATH, QString(), QStringLiteral("Items"));
}

// As many floor calls as the walk's block just made, the two floors taking turns to go first.
void runFloors(long n, Tally& tally)
{
    QElapsedTimer timer;
    for (int k = 0; k < 2; ++k) {
        const bool ping = (k == 0) == tally.pingFirst;
        timer.start();
        ping ? pingCalls(n) : hopCalls(n);
        (ping ? tally.pingNs : tally.hopNs) += timer.nsecsElapsed();
    }
    tally.pingFirst = !tally.pingFirst;
}

// One block of the walk (what walkBlock does), timed, then the floors of the same size.
void timedBlock(Tally& tally, const std::function<long()>& walkBlock)
{
    QElapsedTimer timer;
    timer.start();
    const long calls = walkBlock();
    tally.walkNs += timer.nsecsElapsed();
    tally.walkCalls += calls;
    runFloors(calls, tally);
}

// The whole walk of walkCollection, in blocks of one step's subtree each (the lists above the
// steps and the processes' own properties a block each), every block followed by its floors.
void interleavedWalk(Tally& tally)
{
    QList<QDBusObjectPath> processes;
    timedBlock(tally, [&] {
        const QDBusMessage items = callOn(QStringLiteral("/Processes"), QString(), QStringLiteral("Items"));
        processes = qdbus_cast<QList<QDBusObjectPath>>(items.arguments().value(0));
        return 1L;
    });
    for (const QDBusObjectPath& process : processes) {
        QList<QDBusObjectPath> steps;
        timedBlock(tally, [&] {
            callOn(process.path(), QStringLiteral("org.freedesktop.DBus.Properties"), QStringLiteral("GetAll"), {QString()});
            const QDBusMessage items = callOn(process.path() + "/Steps", QString(), QStringLiteral("Items"));
            steps = qdbus_cast<QList<QDBusObjectPath>>(items.arguments().value(0));
            return 2L;
        });
        for (const QDBusObjectPath& step : steps) {
            timedBlock(tally, [&] {
                callOn(step.path(), QStringLiteral("org.freedesktop.DBus.Properties"), QStringLiteral("GetAll"), {QString()});
                return 1 + walkCollection(step.path() + '/' + LEVELS[2], 2);
            });
        }
    }
}

// Rounds of the walk, Peer.Ping and the hop floor in turn, block by block, so that every ratio is
// read from the same moments of the machine.
void BM_WalkBesideFloors(benchmark::State& s)
{
    const QDBusMessage probe = callOn(HOP_PATH, QString(), QStringLiteral("Items"));
    if (probe.errorName() != QLatin1String("org.freedesktop.DBus.Error.UnknownObject"))
        return s.SkipWithError("an object lives at the hop floor's path");
    Tally tally;
    for (auto _ : s)
        interleavedWalk(tally);
    const double rounds = double(s.iterations());
    s.counters["calls"] = double(tally.walkCalls) / rounds;
    s.counters["walk_ms"] = double(tally.walkNs) / 1e6 / rounds;
    s.counters["ping_ms"] = double(tally.pingNs) / 1e6 / rounds;
    s.counters["hop_ms"] = double(tally.hopNs) / 1e6 / rounds;
    s.counters["ratio_hop"] = double(tally.walkNs) / double(std::max<qint64>(tally.hopNs, 1));
    s.counters["ratio_ping"] = double(tally.walkNs) / double(std::max<qint64>(tally.pingNs, 1));
    s.counters["goal_ratio"] = 1.25;
}

// Runs on the main thread, which serves the objects meanwhile.
void BM_TreeBuild(benchmark::State& s)
{
    for (auto _ : s) {
        QMetaObject::invokeMethod(qApp, [] { state().builder->BuildAutomationModel(); }, Qt::BlockingQueuedConnection);
    }
}

BENCHMARK(BM_WalkBesideFloors)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(BM_TreeBuild)->Unit(benchmark::kMillisecond)->Iterations(3);

// A bus of our own: a dbus-daemon that ends with the benchmark.
QString startPrivateBus(QProcess& daemon)
{
    daemon.start(QStringLiteral("dbus-daemon"), {"--session", "--nofork", "--print-address=1"});
    if (!daemon.waitForReadyRead(10000))
        return QString();
    return QString::fromUtf8(daemon.readLine()).trimmed();
}

int fail(const char* what)
{
    std::fprintf(stderr, "AutomationBench: %s\n", what);
    return 1;
}
} // namespace

int main(int argc, char** argv)
{
    RaiseOpenFileLimit();
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    ReportingAutomationPrompts prompts;
    ScopedPromptService scoped(&prompts);
    QProcess daemon;
    state().busAddress = startPrivateBus(daemon);
    if (state().busAddress.isEmpty())
        return fail("no private bus (dbus-daemon)");

    QTemporaryDir root;
    const QString folder = root.filePath(QStringLiteral("project/"));
    CProjectGenerator generator;
    if (!generator.Write(CProjectGenerator::SyntheticProject(STEPS, LINES_PER_STEP), folder))
        return fail("the project was not generated");
    CSessionAppContext app(root.filePath("app"), root.filePath("app/instance"));
    CProjectSession session(app.fileSet(), app.stepDatabases());
    if (!session.Open(folder + "Synthetic.prj"))
        return fail("the project did not open");

    CAutomationModelBuilder builder;
    ServiceInstallations installed;
    installed.Install<AutomationModel>(&builder);
    g_bAutomationActive = true;
    builder.BuildAutomationModel();
    state().builder = &builder;
    CAutomationBus bus(builder, nullptr);
    QString error;
    if (!bus.Claim(QDBusConnection::connectToBus(state().busAddress, QStringLiteral("program")), &error))
        return fail(qPrintable(error));

    benchmark::Initialize(&argc, argv);
    std::thread client([] {
        benchmark::RunSpecifiedBenchmarks();
        benchmark::Shutdown();
        QMetaObject::invokeMethod(qApp, &QCoreApplication::quit, Qt::QueuedConnection);
    });
    application.exec();
    client.join();
    QDBusConnection::disconnectFromBus(QStringLiteral("client"));
    session.Close();
    daemon.terminate();
    daemon.waitForFinished();
    return 0;
}
