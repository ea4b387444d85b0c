// A package rewrite killed at a random instant leaves the package whole: it holds either its old
// bytes or the new package of the folder's files, and the next write leaves no temporary behind.
// QV_PACK_KILLS sets the number of kills (50); QV_PACK_SEED names another seed or "random"
// (CrashSeed.h).

#include "CrashSeed.h"
#include "FakeAppContext.h"
#include "ProjectSnapshot.h"
#include "foundation/db/connection/DaoDatabase.h"
#include "modules/packer/QvzPacker.h"

#include <QDir>
#include <QFile>
#include <QProcess>

#include <random>
#include <thread>

namespace {
struct PackRun {
    bool killed = false;
    qint64 micros = -1;
};

PackRun RunPackDriver(const QString& folder, const QString& package,
                      std::optional<std::chrono::microseconds> kill)
{
    PackRun run;
    QProcess driver;
    driver.start(QStringLiteral(QV_PACK_DRIVER), {folder, package});
    QByteArray output;
    while (driver.waitForReadyRead(60000) &&
           !(output += driver.readAllStandardOutput()).contains("packing\n")) {
    }
    if (kill) {
        std::this_thread::sleep_for(*kill);
        driver.kill();
    }
    driver.waitForFinished(60000);
    output += driver.readAllStandardOutput();
    run.killed = driver.exitStatus() == QProcess::CrashExit;
    const qsizetype at = output.indexOf("packed ");
    if (at >= 0)
        run.micros = output.mid(at + 7).trimmed().toLongLong();
    EXPECT_TRUE(run.killed || run.micros >= 0) << driver.readAllStandardError().toStdString();
    return run;
}

QMap<QString, QByteArray> PackedFiles(const QString& folder)
{
    QMap<QString, QByteArray> files;
    for (const QFileInfo& info : QDir(folder).entryInfoList(QDir::Files)) {
        QFile file(info.filePath());
        if (file.open(QIODevice::ReadOnly))
            files.insert(info.fileName(), file.readAll());
    }
    return files;
}

QByteArray PackageBytes(const QString& package)
{
    QFile file(package);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}
} // namespace

TEST(PackageCrashTest, AKilledRewriteLeavesTheOldOrTheNewPackage)
{
    FakeAppContext app;
    const QString folder = app.root() + "projects/Demo/", package = app.root() + "Demo.qvz";
    WriteDemoProject(app, folder);
    app.fileSet().projectName = "Demo";
    CQvzPacker packer;
    const QMap<QString, QByteArray> oldFiles = PackedFiles(folder);
    ASSERT_TRUE(packer.CreatePackage(folder, package, false)) << packer.ErrorText().toStdString();
    const QByteArray oldPackage = PackageBytes(package);
    {
        CDaoDatabase project;
        project.Open(folder + "Demo.prj", DatabaseRole::ReadWrite);
        project.Execute("UPDATE Process SET Description = 'After the kill' WHERE ProcessID = 1");
        project.Close();
    }
    const QMap<QString, QByteArray> newFiles = PackedFiles(folder);
    ASSERT_NE(newFiles, oldFiles);
    const PackRun timing = RunPackDriver(folder, package, std::nullopt);
    ASSERT_GE(timing.micros, 0);

    std::mt19937 engine{CrashSeed("QV_PACK_SEED", 7)};
    const int kills =
        qEnvironmentVariableIsSet("QV_PACK_KILLS") ? qEnvironmentVariableIntValue("QV_PACK_KILLS") : 50;
    int inside = 0, asNew = 0;
    for (int n = 0; n < kills; ++n) {
        {
            QFile file(package);
            ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
            file.write(oldPackage);
        }
        const auto after = std::chrono::microseconds(engine() % quint32(timing.micros * 5 / 4 + 1));
        inside += RunPackDriver(folder, package, after).killed ? 1 : 0;
        if (PackageBytes(package) == oldPackage)
            continue;
        const QString check = app.root() + "check/";
        QDir(check).removeRecursively();
        ASSERT_TRUE(packer.ExpandPackage(package, check))
            << "kill " << n << ": " << packer.ErrorText().toStdString();
        ASSERT_EQ(PackedFiles(check), newFiles) << "kill " << n;
        ++asNew;
    }
    EXPECT_GT(inside, 0) << "no kill landed inside a rewrite";
    ASSERT_TRUE(packer.SavePackage(folder, package));
    EXPECT_EQ(QDir(app.root()).entryList({"Demo.qvz*"}, QDir::Files), QStringList{"Demo.qvz"});
    std::printf("%d kills, %d inside a rewrite, %d left the new package\n", kills, inside, asNew);
}
