// A script's walk of a generated project of 200 steps with parameters over the bus, beside its
// floor, and the build of the object tree.
//   Walk: a client on a private bus (its own dbus-daemon) lists every collection with Items() and
//   reads every object's properties with GetAll, from processes down to ranges. Goal: at most
//   1.25 times the floor (the "goal_x_floor" counter).
//   Floor: as many org.freedesktop.DBus.Peer.Ping calls to the program's name, answered by the
//   bus library without reaching the objects: the round trips alone.
//   Hop floor: as many calls answered by the objects' handler on the main thread with the least
//   work it does (no object at the path): the round trips with the bus library's hand-off of each
//   call to the main thread and of its reply back, which every call to the objects makes.
//   Build: the tree read from the open project. Goal: 1 s.
// The program's side serves on the main thread; the benchmarks run as the client on another.

#include "ProjectSession.h"
#include "SessionAppContext.h"
#include "SessionBenchMain.h"

#include "automation/AutomationBus.h"
#include "automation/AutomationModelBuilder.h"
#include "foundation/common/AutomationFlag.h"
#include "foundation/common/ServiceSlot.h"
#include "foundation/db/ProjectGenerator.h"

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

#include <thread>

namespace {
constexpr int STEPS = 200;
constexpr int LINES_PER_STEP = 20;
const char* const LEVELS[] = {"Processes", "Steps", "UnitProcedures", "Operations", "Groups", "Fields", "Ranges"};

struct BenchState {
    QString busAddress;
    CAutomationModelBuilder* builder = nullptr;
    long walkCalls = 0; // of the last walk
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

void BM_ScriptWalk(benchmark::State& s)
{
    for (auto _ : s)
        state().walkCalls = walkCollection(QStringLiteral("/Processes"), 0);
    s.counters["calls"] = double(state().walkCalls);
    s.counters["goal_x_floor"] = 1.25;
}

void BM_PingFloor(benchmark::State& s)
{
    for (auto _ : s) {
        for (long i = 0; i < state().walkCalls; ++i)
            callOn(QStringLiteral("/Application"), QStringLiteral("org.freedesktop.DBus.Peer"), QStringLiteral("Ping"));
    }
    s.counters["calls"] = double(state().walkCalls);
}

void BM_HopFloor(benchmark::State& s)
{
    const QString nowhere = QStringLiteral("/Processes/0"); // ids start at 1
    const QDBusMessage probe = callOn(nowhere, QString(), QStringLiteral("Items"));
    if (probe.errorName() != QLatin1String("org.freedesktop.DBus.Error.UnknownObject"))
        return s.SkipWithError("an object lives at the hop floor's path");
    for (auto _ : s) {
        for (long i = 0; i < state().walkCalls; ++i)
            callOn(nowhere, QString(), QStringLiteral("Items"));
    }
    s.counters["calls"] = double(state().walkCalls);
}

// Runs on the main thread, which serves the objects meanwhile.
void BM_TreeBuild(benchmark::State& s)
{
    for (auto _ : s) {
        QMetaObject::invokeMethod(qApp, [] { state().builder->BuildAutomationModel(); }, Qt::BlockingQueuedConnection);
    }
}

BENCHMARK(BM_ScriptWalk)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(BM_PingFloor)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(BM_HopFloor)->Unit(benchmark::kMillisecond)->Iterations(3);
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
