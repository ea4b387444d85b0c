// Opening and saving a generated project of 200 steps of 50 recipe lines through the program's own
// open and save, each beside its floor measured in the same run. The ratio counter is the
// operation over its floor; for the opens, read the median rows.
//   Open floor: a plain copy of every database file of the project folder (project, libraries,
//   steps) into the open's working-copy folder, with the flushes the open needs for its working
//   copies to be durable: one fsync per copied file and one of the folder. The copies lie where the
//   open's do, so that both create their files in the same state of the file system (a new file's
//   cost depends on the files deleted there shortly before). The open waits for its flushes
//   together (a few threads), so beside it stands the same copy with its flushes waited for
//   together the same way ("floor_overlapped_ms", "ratio_overlapped").
//   Save floor: VACUUM INTO of the same databases with the same flushes as the save. Before each
//   save every database is changed, so that the save writes every file.
// A 500-step open shows that the working copies fit in the raised file-descriptor limit.
// On 500 steps, a save after an edit of one step and the project (floor: those two databases
// written as the save floor writes them) and a save after no edit (goal: at most 10 ms).

#include "ProjectSession.h"
#include "RevisionEdit.h"
#include "SessionAppContext.h"
#include "SessionBenchMain.h"

#include "foundation/common/MessageBox.h"
#include "foundation/common/concerns/AppContext.h"
#include "foundation/db/connection/DaoDatabase.h"
#include "foundation/db/files/DatabaseFiles.h"
#include "foundation/db/files/FileSyncQueue.h"
#include "foundation/db/content/ProjectGenerator.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

#include <fcntl.h>
#include <functional>
#include <map>
#include <unistd.h>

namespace {
constexpr int LINES_PER_STEP = 50;

// Prompts get their default button; their texts go to stderr, where a failed run explains itself.
QTemporaryDir& benchRoot()
{
    static QTemporaryDir root;
    return root;
}

QString rootPath(const QString& name)
{
    return benchRoot().filePath(name) + QLatin1Char('/');
}

// The project file of a synthetic project of that many steps, written on first use.
QString syntheticProject(int steps)
{
    static std::map<int, QString> written;
    if (!written.count(steps)) {
        const QString folder = rootPath(QStringLiteral("projects/%1").arg(steps));
        CProjectGenerator generator;
        if (!generator.Write(CProjectGenerator::SyntheticProject(steps, LINES_PER_STEP), folder))
            return QString();
        written[steps] = folder + "Synthetic.prj";
    }
    return written[steps];
}

double seconds(const QElapsedTimer& timer)
{
    return double(timer.nsecsElapsed()) / 1e9;
}

// Copies a file's bytes into a new file and flushes it, or hands it to flushes (when given) to be
// flushed with others; false when any call fails.
bool copyFlushed(const QString& source, const QString& target, CFileSyncQueue* flushes)
{
    const int from = ::open(QFile::encodeName(source).constData(), O_RDONLY | O_CLOEXEC);
    const int to =
        ::open(QFile::encodeName(target).constData(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
    bool ok = from >= 0 && to >= 0;
    for (ssize_t copied = 1; ok && copied > 0;) {
        copied = ::copy_file_range(from, nullptr, to, nullptr, 1 << 30, 0);
        ok = copied >= 0;
    }
    ok = ok && (flushes || ::fsync(to) == 0);
    ::close(from);
    ::close(to);
    if (ok && flushes)
        flushes->Add(target);
    return ok;
}

bool syncFolder(const QString& folder)
{
    const int fd = ::open(QFile::encodeName(folder).constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    const bool ok = fd >= 0 && ::fsync(fd) == 0;
    ::close(fd);
    return ok;
}

// The floor of the open (see the top of the file), its copies made beside the open's working
// copies under names of their own; negative when the copy failed.
double plainCopy(const QString& projectDir, const QString& workingCopyDir, bool overlapped)
{
    const QStringList names = QDir(projectDir).entryList({"*.prj", "*.eqm", "*.mtl", "*.stp"}, QDir::Files);
    const auto copyOf = [&workingCopyDir](const QString& name) { return workingCopyDir + name + ".floor"; };
    QElapsedTimer timer;
    timer.start();
    bool ok = true;
    CFileSyncQueue flushes;
    for (const QString& name : names)
        ok = copyFlushed(projectDir + name, copyOf(name), overlapped ? &flushes : nullptr) && ok;
    ok = flushes.Finish().isEmpty() && ok;
    ok = syncFolder(workingCopyDir) && ok;
    const double elapsed = seconds(timer);
    for (const QString& name : names)
        ok = QFile::remove(copyOf(name)) && ok;
    return ok ? elapsed : -1;
}

// VACUUM INTO a temporary file, flush it, rename it over the target, flush the folder.
void vacuumDurably(CDaoDatabase& database, const QString& target)
{
    const QString temporary = target + ".tmp";
    database.Execute(QStringLiteral("VACUUM INTO ?"), {temporary});
    SyncFile(temporary);
    ReplaceFile(temporary, target);
    SyncFolderOf(target);
}

// The floor of the save: every open working copy, and the two libraries, written that way.
double vacuumFloor(const QString& scratchDir)
{
    QDir().mkpath(scratchDir);
    QElapsedTimer timer;
    timer.start();
    vacuumDurably(*GetProjectDatabase(), scratchDir + "project");
    for (const QString& library : {GetEquipmentDBPath(), GetMaterialsDBPath()}) {
        CDaoDatabase database;
        database.Open(library, DatabaseRole::ReadOnly);
        vacuumDurably(database, scratchDir + QFileInfo(library).fileName());
    }
    const StepDatabaseRegistry& steps = GetAppContext()->stepDatabases();
    for (int i = 0; i < steps.count(); ++i)
        vacuumDurably(*steps.databaseAt(i), scratchDir + QString::number(steps.stepIDAt(i)));
    return seconds(timer);
}

void reportRatio(benchmark::State& state, double operationSeconds, double floorSeconds)
{
    const double runs = double(state.iterations());
    state.counters["floor_ms"] = floorSeconds * 1000 / runs;
    state.counters["ratio"] = floorSeconds > 0 ? operationSeconds / floorSeconds : 0;
}

void BM_OpenProject(benchmark::State& state)
{
    const int steps = int(state.range(0));
    const QString project = syntheticProject(steps);
    if (project.isEmpty())
        return state.SkipWithError("the project could not be generated");
    CSessionAppContext app(rootPath("open"), rootPath("open/instance"));
    double opening = 0, copying = 0, overlappedCopying = 0;
    for (auto _ : state) {
        CProjectSession session(app.fileSet(), app.stepDatabases());
        QElapsedTimer timer;
        timer.start();
        const bool opened = session.Open(project);
        const double elapsed = seconds(timer);
        const int stepsOpen = app.stepDatabases().count();
        const QString workingCopyDir = GetWorkingCopyDir();
        session.Close();
        if (!opened || stepsOpen != steps)
            return state.SkipWithError("the project did not open with every step");
        const QString projectDir = QFileInfo(project).path() + "/";
        const double floor = plainCopy(projectDir, workingCopyDir, false);
        const double overlappedFloor = plainCopy(projectDir, workingCopyDir, true);
        if (floor < 0 || overlappedFloor < 0)
            return state.SkipWithError("the plain copy failed");
        state.SetIterationTime(elapsed);
        opening += elapsed;
        copying += floor;
        overlappedCopying += overlappedFloor;
    }
    reportRatio(state, opening, copying);
    state.counters["floor_overlapped_ms"] = overlappedCopying * 1000 / double(state.iterations());
    state.counters["ratio_overlapped"] = overlappedCopying > 0 ? opening / overlappedCopying : 0;
}

// Changes the project database and the first steps (all of them for -1) in one transaction each.
void editProject(int revision, int steps)
{
    ApplyRevision(*GetProjectDatabase(), ProjectDatabaseKind::Project, revision);
    if (steps < 0) {
        CDaoDatabase equipment, material;
        equipment.Open(GetEquipmentDBPath(), DatabaseRole::WorkingCopy);
        ApplyRevision(equipment, ProjectDatabaseKind::Equipment, revision);
        material.Open(GetMaterialsDBPath(), DatabaseRole::WorkingCopy);
        ApplyRevision(material, ProjectDatabaseKind::Material, revision);
    }
    const StepDatabaseRegistry& registry = GetAppContext()->stepDatabases();
    for (int i = 0; i < registry.count() && (steps < 0 || i < steps); ++i)
        ApplyRevision(*registry.databaseAt(i), ProjectDatabaseKind::Step, revision);
    SetProjectModified(true);
}

// The floor of a save of the project database and the first step only.
double vacuumFloorOfOneStep(const QString& scratchDir)
{
    QDir().mkpath(scratchDir);
    QElapsedTimer timer;
    timer.start();
    vacuumDurably(*GetProjectDatabase(), scratchDir + "project");
    vacuumDurably(*GetAppContext()->stepDatabases().databaseAt(0), scratchDir + "step");
    return seconds(timer);
}

// Saves after edit(iteration) (not timed) and reports the ratio to floor() (none when null).
void measureSaves(benchmark::State& state, const QString& name, const std::function<void(int)>& edit,
                  const std::function<double()>& floor)
{
    const QString project = syntheticProject(int(state.range(0)));
    if (project.isEmpty())
        return state.SkipWithError("the project could not be generated");
    CSessionAppContext app(rootPath(name), rootPath(name + "/instance"));
    CProjectSession session(app.fileSet(), app.stepDatabases());
    if (!session.Open(project))
        return state.SkipWithError("the project did not open");
    double saving = 0, floorSeconds = 0;
    int iteration = 0;
    for (auto _ : state) {
        edit(++iteration);
        QElapsedTimer timer;
        timer.start();
        const bool saved = session.Save();
        const double elapsed = seconds(timer);
        if (!saved)
            return state.SkipWithError("the save failed");
        state.SetIterationTime(elapsed);
        saving += elapsed;
        floorSeconds += floor ? floor() : 0;
    }
    if (floor)
        reportRatio(state, saving, floorSeconds);
    session.Close();
}

void BM_SaveOneStepChanged(benchmark::State& state)
{
    measureSaves(state, "save-one", [](int revision) { editProject(revision, 1); },
                 [] { return vacuumFloorOfOneStep(rootPath("floor-one")); });
}

void BM_SaveNothingChanged(benchmark::State& state)
{
    measureSaves(state, "save-none", [](int) { SetProjectModified(true); }, nullptr);
}

void BM_SaveProject(benchmark::State& state)
{
    measureSaves(state, "save", [](int revision) { editProject(revision, -1); },
                 [] { return vacuumFloor(rootPath("floor")); });
}

// Repetitions of one open each (five of 200 steps, three of 500), every open paired with the floor
// measured right after it; the median row gives the open's median time and the median of the ratios.
BENCHMARK(BM_OpenProject)
    ->Arg(200)
    ->Iterations(1)
    ->Repetitions(5)
    ->ReportAggregatesOnly(true)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond);
BENCHMARK(BM_OpenProject)
    ->Arg(500)
    ->Iterations(1)
    ->Repetitions(3)
    ->ReportAggregatesOnly(true)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SaveProject)->Arg(200)->Iterations(5)->UseManualTime()->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SaveOneStepChanged)->Arg(500)->Iterations(10)->UseManualTime()->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SaveNothingChanged)->Arg(500)->Iterations(10)->UseManualTime()->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv)
{
    return RunSessionBenchmarks<QCoreApplication>(argc, argv);
}
