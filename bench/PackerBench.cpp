// Packing and unpacking a generated project of 200 steps of 50 recipe lines, each beside its
// floor measured in the same run: a durable plain copy of every database file of the folder (one
// fsync per file and one of the folder). The ratio counter is the operation over its floor;
// packed_share is the package's size over the folder's.
//   Pack: the package rewritten from the folder, as the save-back does.
//   Unpack: the package checked and unpacked into a fresh folder, as opening a package does.

#include "SessionAppContext.h"
#include "SessionBenchMain.h"

#include "foundation/db/content/ProjectGenerator.h"
#include "modules/packer/QvzPacker.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

#include <fcntl.h>
#include <unistd.h>

namespace {
constexpr int PACKED_STEPS = 200;
constexpr int PACKED_LINES_PER_STEP = 50;

QTemporaryDir& packerBenchRoot()
{
    static QTemporaryDir root;
    return root;
}

QString packerBenchPath(const QString& name)
{
    return packerBenchRoot().filePath(name) + QLatin1Char('/');
}

// The folder of the synthetic project, written on first use.
QString packedProjectFolder()
{
    static QString folder;
    if (folder.isEmpty()) {
        const QString target = packerBenchPath("projects/Synthetic");
        CProjectGenerator generator;
        if (generator.Write(CProjectGenerator::SyntheticProject(PACKED_STEPS, PACKED_LINES_PER_STEP), target))
            folder = target;
    }
    return folder;
}

double elapsedSeconds(const QElapsedTimer& timer)
{
    return double(timer.nsecsElapsed()) / 1e9;
}

bool copyFileFlushed(const QString& source, const QString& target)
{
    const int from = ::open(QFile::encodeName(source).constData(), O_RDONLY | O_CLOEXEC);
    const int to =
        ::open(QFile::encodeName(target).constData(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
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

// The floor: a durable plain copy of the folder's databases; negative when it failed.
double durableCopy(const QString& folder, const QString& scratch)
{
    QDir().mkpath(scratch);
    const QStringList names = QDir(folder).entryList({"*.prj", "*.eqm", "*.mtl", "*.stp"}, QDir::Files);
    QElapsedTimer timer;
    timer.start();
    bool ok = true;
    for (const QString& name : names)
        ok = copyFileFlushed(folder + name, scratch + name) && ok;
    const int fd = ::open(QFile::encodeName(scratch).constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    ok = fd >= 0 && ::fsync(fd) == 0 && ok;
    ::close(fd);
    const double elapsed = elapsedSeconds(timer);
    QDir(scratch).removeRecursively();
    return ok ? elapsed : -1;
}

qint64 folderBytes(const QString& folder)
{
    qint64 total = 0;
    for (const QFileInfo& info : QDir(folder).entryInfoList(QDir::Files))
        total += info.size();
    return total;
}

void reportAgainstFloor(benchmark::State& state, double operation, double floor, const QString& package)
{
    const double runs = double(state.iterations());
    state.counters["floor_ms"] = floor * 1000 / runs;
    state.counters["ratio"] = floor > 0 ? operation / floor : 0;
    state.counters["packed_share"] =
        double(QFileInfo(package).size()) / double(folderBytes(packedProjectFolder()));
}

// The package of the synthetic project, made once.
QString packedProject(CSessionAppContext& app)
{
    const QString package = packerBenchPath("packages") + "Synthetic.qvz";
    if (!QFileInfo::exists(package)) {
        QDir().mkpath(packerBenchPath("packages"));
        app.fileSet().projectName = QStringLiteral("Synthetic");
        CQvzPacker packer;
        if (!packer.CreatePackage(packedProjectFolder(), package, false))
            return QString();
    }
    return package;
}

void BM_PackProject(benchmark::State& state)
{
    CSessionAppContext app(packerBenchPath("pack"), packerBenchPath("pack/instance"));
    const QString folder = packedProjectFolder(), package = packedProject(app);
    if (folder.isEmpty() || package.isEmpty())
        return state.SkipWithError("the project could not be generated or packed");
    double packing = 0, copying = 0;
    for (auto _ : state) {
        CQvzPacker packer;
        QElapsedTimer timer;
        timer.start();
        if (!packer.SavePackage(folder, package))
            return state.SkipWithError(qPrintable(packer.ErrorText()));
        const double elapsed = elapsedSeconds(timer);
        state.SetIterationTime(elapsed);
        packing += elapsed;
        copying += durableCopy(folder, packerBenchPath("copy"));
    }
    reportAgainstFloor(state, packing, copying, package);
}

void BM_UnpackProject(benchmark::State& state)
{
    CSessionAppContext app(packerBenchPath("unpack"), packerBenchPath("unpack/instance"));
    const QString package = packedProject(app);
    if (package.isEmpty())
        return state.SkipWithError("the project could not be generated or packed");
    double unpacking = 0, copying = 0;
    for (auto _ : state) {
        const QString target = packerBenchPath("unpacked/Synthetic");
        QDir(target).removeRecursively();
        CQvzPacker packer;
        QElapsedTimer timer;
        timer.start();
        if (!packer.ExpandPackage(package, target))
            return state.SkipWithError(qPrintable(packer.ErrorText()));
        const double elapsed = elapsedSeconds(timer);
        state.SetIterationTime(elapsed);
        unpacking += elapsed;
        copying += durableCopy(target, packerBenchPath("copy"));
    }
    reportAgainstFloor(state, unpacking, copying, package);
}
} // namespace

BENCHMARK(BM_PackProject)->Iterations(5)->UseManualTime()->Unit(benchmark::kMillisecond);
BENCHMARK(BM_UnpackProject)->Iterations(5)->UseManualTime()->Unit(benchmark::kMillisecond);

int main(int argc, char** argv)
{
    return RunSessionBenchmarks<QCoreApplication>(argc, argv);
}
