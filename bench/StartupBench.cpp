// Start-up to the window title: the program started with the Demo sample on its command line,
// timed from the process's start until the main window's title names the open project. Each
// iteration starts this program again in its child role, which runs the program's own main
// sequence (application object, InitInstance, event loop, ExitInstance) and reports on its
// standard output the moment the title changes. Goal: 80 ms; the "goal_ms" counter states it.

#include "shell/QuorvantaApp.h"
#include "shell/ShellConstants.h"
#include "shell/SignalHandler.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QMainWindow>
#include <QProcess>
#include <QTemporaryDir>
#include <QTimer>
#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstdio>
#include <vector>

namespace {
constexpr double GOAL_MS = 80;
constexpr const char* CHILD_ROLE = "QV_STARTUP_BENCH_CHILD";
const QString TITLE_LINE = QStringLiteral("title");

QMainWindow* mainWindow()
{
    for (QWidget* widget : QApplication::topLevelWidgets()) {
        if (auto* window = qobject_cast<QMainWindow*>(widget))
            return window;
    }
    return nullptr;
}

bool namesProject(const QString& title)
{
    return title.startsWith(PRODUCT_NAME + QStringLiteral(" - "));
}

// As main(): the title line goes out once the title names the project, then the program ends
// normally, closing the project.
int runAsProgram(int argc, char** argv)
{
    CSignalHandler::InstallHandlers();
    QApplication app(argc, argv);
    QApplication::setOrganizationName(PROFILE_ORGANIZATION);
    QApplication::setApplicationName(PROFILE_APPLICATION);
    QApplication::setDesktopFileName(QStringLiteral("quorvanta"));
    CQuorvantaApp theApp;
    const auto reportTitle = [] {
        std::printf("%s\n", qPrintable(TITLE_LINE));
        std::fflush(stdout);
        QTimer::singleShot(0, qApp, &QCoreApplication::quit);
    };
    if (!theApp.InitInstance(QApplication::arguments()))
        return 1;
    QMainWindow* window = mainWindow();
    if (!window)
        return 2;
    if (namesProject(window->windowTitle()))
        reportTitle();
    else
        QObject::connect(window, &QWidget::windowTitleChanged, [&](const QString& title) {
            if (namesProject(title))
                reportTitle();
        });
    const int result = theApp.RunEventLoop();
    theApp.ExitInstance();
    return result;
}

// One start of the program on the project: the time to its title line, or a negative number.
double startToTitleMs(const QString& project, const QProcessEnvironment& environment)
{
    QProcess program;
    program.setProcessEnvironment(environment);
    program.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    QElapsedTimer timer;
    timer.start();
    program.start(QCoreApplication::applicationFilePath(), {project});
    double elapsed = -1;
    while (program.waitForReadyRead(10000)) {
        if (program.readAll().contains(TITLE_LINE.toUtf8())) {
            elapsed = double(timer.nsecsElapsed()) / 1e6;
            break;
        }
    }
    if (!program.waitForFinished(10000)) {
        program.kill();
        program.waitForFinished();
        return -1;
    }
    return program.exitCode() == 0 ? elapsed : -1;
}

// The program's folders (settings, working folder, working copies) live in a temporary home;
// one start before the timed ones fills the caches a user's machine already has.
void BM_StartupToTitle(benchmark::State& state)
{
    QTemporaryDir home;
    const QString demo = QCoreApplication::applicationDirPath() + QStringLiteral("/../share/quorvanta/Samples/Demo");
    const QString folder = home.filePath(QStringLiteral("Demo"));
    QDir().mkpath(folder);
    for (const QString& name : QDir(demo).entryList(QDir::Files))
        QFile::copy(demo + QLatin1Char('/') + name, folder + QLatin1Char('/') + name);
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QString::fromLatin1(CHILD_ROLE), QStringLiteral("1"));
    environment.insert(QStringLiteral("HOME"), home.path());
    for (const char* variable : {"XDG_CONFIG_HOME", "XDG_DATA_HOME", "XDG_DOCUMENTS_DIR"})
        environment.remove(QString::fromLatin1(variable));
    const QString project = folder + QStringLiteral("/Demo.prj");
    if (startToTitleMs(project, environment) < 0)
        return state.SkipWithError("the program did not show the project in its title");
    std::vector<double> times;
    for (auto _ : state) {
        const double ms = startToTitleMs(project, environment);
        if (ms < 0)
            return state.SkipWithError("the program did not show the project in its title");
        state.SetIterationTime(ms / 1000);
        times.push_back(ms);
    }
    std::sort(times.begin(), times.end());
    state.counters["min_ms"] = times.front();
    state.counters["median_ms"] = times[times.size() / 2];
    state.counters["max_ms"] = times.back();
    state.counters["goal_ms"] = GOAL_MS;
}

BENCHMARK(BM_StartupToTitle)->Iterations(10)->UseManualTime()->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    if (qEnvironmentVariableIsSet(CHILD_ROLE))
        return runAsProgram(argc, argv);
    QCoreApplication application(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
