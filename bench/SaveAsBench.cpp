// Save As of a generated project of 200 steps of 50 recipe lines through the program's own Save As
// (the files written under the new name, the project closed and the written files opened again),
// beside its floors measured in the same run: the save floor (VACUUM INTO of every database of the
// open project with a flush of each file and of the folder) plus the open floor (a plain copy of
// the written project's files with the same flushes). The ratio counter is Save As over that sum.

#include "ProjectSession.h"
#include "SessionAppContext.h"
#include "SessionBenchMain.h"

#include "foundation/common/concerns/AppContext.h"
#include "foundation/db/connection/DaoDatabase.h"
#include "foundation/db/files/DatabaseFiles.h"
#include "foundation/db/content/ProjectGenerator.h"
#include "projects/ProjectDialogService.h"
#include "projects/SaveAsProjectDialog.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QLineEdit>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

#include <fcntl.h>
#include <unistd.h>

namespace {
constexpr int SAVE_AS_STEPS = 200;
constexpr int SAVE_AS_LINES = 50;

QTemporaryDir& saveAsRoot()
{
    static QTemporaryDir root;
    return root;
}

QString underRoot(const QString& name)
{
    return saveAsRoot().filePath(name) + QLatin1Char('/');
}

double secondsOf(const QElapsedTimer& timer)
{
    return double(timer.nsecsElapsed()) / 1e9;
}

// Fills the Save As dialog with the next target folder and presses OK. The dialog makes the
// project's own folder but wants its parent to exist, as a user would pick it.
class SaveAsTargets : public ProjectDialogService {
public:
    SaveAsTargets() { QDir().mkpath(underRoot(QStringLiteral("saved"))); }
    int Run(QDialog& dialog) override
    {
        auto* saveAs = dynamic_cast<CSaveAsProjectDialog*>(&dialog);
        if (!saveAs)
            return IDCANCEL;
        saveAs->NameEdit()->setText(QStringLiteral("Copy%1").arg(m_next));
        saveAs->DirectoryEdit()->setText(underRoot(QStringLiteral("saved/%1").arg(m_next)).chopped(1));
        ++m_next;
        return saveAs->OnOK() ? IDOK : IDCANCEL;
    }

private:
    int m_next = 0;
};

bool flushFolder(const QString& folder)
{
    const int fd = ::open(QFile::encodeName(folder).constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    const bool ok = fd >= 0 && ::fsync(fd) == 0;
    ::close(fd);
    return ok;
}

bool copyAndFlush(const QString& source, const QString& target)
{
    const int from = ::open(QFile::encodeName(source).constData(), O_RDONLY | O_CLOEXEC);
    const int to = ::open(QFile::encodeName(target).constData(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
    bool ok = from >= 0 && to >= 0;
    for (ssize_t copied = 1; ok && copied > 0;) {
        copied = ::copy_file_range(from, nullptr, to, nullptr, 1 << 30, 0);
        ok = copied >= 0;
    }
    ok = ok && ::fsync(to) == 0;
    ::close(from);
    ::close(to);
    return ok;
}

// The open floor: every database of the written project copied and flushed.
double openFloor(const QString& projectDir)
{
    const QString scratch = underRoot(QStringLiteral("copy"));
    QDir().mkpath(scratch);
    const QStringList names = QDir(projectDir).entryList({"*.prj", "*.eqm", "*.mtl", "*.stp"}, QDir::Files);
    QElapsedTimer timer;
    timer.start();
    for (const QString& name : names)
        copyAndFlush(projectDir + name, scratch + name);
    flushFolder(scratch);
    const double elapsed = secondsOf(timer);
    QDir(scratch).removeRecursively();
    return elapsed;
}

void vacuumAndFlush(CDaoDatabase& database, const QString& target)
{
    const QString temporary = target + ".tmp";
    database.Execute(QStringLiteral("VACUUM INTO ?"), {temporary});
    SyncFile(temporary);
    ReplaceFile(temporary, target);
    SyncFolderOf(target);
}

// The save floor: every database of the open project written as a save writes it.
double saveFloor()
{
    const QString scratch = underRoot(QStringLiteral("floor"));
    QDir().mkpath(scratch);
    QElapsedTimer timer;
    timer.start();
    vacuumAndFlush(*GetProjectDatabase(), scratch + "project");
    for (const QString& library : {GetEquipmentDBPath(), GetMaterialsDBPath()}) {
        CDaoDatabase database;
        database.Open(library, DatabaseRole::ReadOnly);
        vacuumAndFlush(database, scratch + QFileInfo(library).fileName());
    }
    const StepDatabaseRegistry& steps = GetAppContext()->stepDatabases();
    for (int i = 0; i < steps.count(); ++i)
        vacuumAndFlush(*steps.databaseAt(i), scratch + QString::number(steps.stepIDAt(i)));
    const double elapsed = secondsOf(timer);
    QDir(scratch).removeRecursively();
    return elapsed;
}

void BM_SaveAsProject(benchmark::State& state)
{
    const QString folder = underRoot(QStringLiteral("project"));
    if (!CProjectGenerator().Write(CProjectGenerator::SyntheticProject(SAVE_AS_STEPS, SAVE_AS_LINES), folder))
        return state.SkipWithError("the project could not be generated");
    CSessionAppContext app(underRoot(QStringLiteral("app")), underRoot(QStringLiteral("app/instance")));
    CProjectSession session(app.fileSet(), app.stepDatabases());
    if (!session.Open(folder + "Synthetic.prj"))
        return state.SkipWithError("the project did not open");
    SaveAsTargets targets;
    ProjectDialogService* previous = SetProjectDialogService(&targets);
    double savingAs = 0, floors = 0;
    for (auto _ : state) {
        const double saveFloorSeconds = saveFloor();
        QElapsedTimer timer;
        timer.start();
        const bool saved = session.manager().SaveProjectAs();
        const double elapsed = secondsOf(timer);
        if (!saved || app.stepDatabases().count() != SAVE_AS_STEPS) {
            state.SkipWithError("the Save As failed or did not reopen every step");
            break;
        }
        state.SetIterationTime(elapsed);
        savingAs += elapsed;
        floors += saveFloorSeconds + openFloor(GetProjectDir());
    }
    SetProjectDialogService(previous);
    state.counters["floor_ms"] = floors * 1000 / double(std::max<benchmark::IterationCount>(state.iterations(), 1));
    state.counters["ratio"] = floors > 0 ? savingAs / floors : 0;
    session.Close();
}

BENCHMARK(BM_SaveAsProject)->Iterations(5)->UseManualTime()->Unit(benchmark::kMillisecond);
} // namespace

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    return RunSessionBenchmarks<QApplication>(argc, argv);
}
