#include "ProjectFixture.h"

#include "foundation/common/AppContext.h"
#include "foundation/db/DaoDatabase.h"
#include "foundation/db/DatabaseFiles.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {
const char* const ALREADY_OPEN =
    "This project is already open.\n\nA copy of the project may be made to continue working.";

void WriteText(const QString& path, const QByteArray& text)
{
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(text);
}

// Another program instance: a child process that holds the marker locked until it is ended.
class MarkerHolder {
public:
    explicit MarkerHolder(const QString& path)
    {
        int ready[2];
        if (::pipe(ready) != 0)
            return;
        m_child = ::fork();
        if (m_child == 0) {
            const int fd = ::open(QFile::encodeName(path).constData(), O_WRONLY | O_CREAT, 0644);
            const char locked = (fd >= 0 && ::flock(fd, LOCK_EX | LOCK_NB) == 0) ? 1 : 0;
            (void)!::write(ready[1], &locked, 1);
            ::pause();
            ::_exit(0);
        }
        char locked = 0;
        m_locked = ::read(ready[0], &locked, 1) == 1 && locked == 1;
        ::close(ready[0]);
        ::close(ready[1]);
    }
    ~MarkerHolder()
    {
        if (m_child > 0) {
            ::kill(m_child, SIGKILL);
            ::waitpid(m_child, nullptr, 0);
        }
    }
    bool locked() const { return m_locked; }

private:
    pid_t m_child = -1;
    bool m_locked = false;
};
} // namespace

class InUseMarkerTest : public ProjectFixture {
protected:
    // A project folder with Demo.prj/.eqm/.mtl and an earlier instance's folder with its copies.
    void SetUp() override
    {
        m_folder = app.root() + "projects/Demo/";
        m_earlier = app.root() + "earlier/";
        QDir().mkpath(m_folder);
        QDir().mkpath(m_earlier);
        for (const char* extension : {".prj", ".eqm", ".mtl"})
            WriteText(m_folder + "Demo" + extension, "x");
        for (const char* extension : {".wc", ".ewc", ".mwc"})
            WriteText(m_earlier + "Demo" + extension, "x");
        app.fileSet().projectFilePath = m_folder + "Demo.prj";
    }

    int Check()
    {
        QString folder, name;
        const int result = manager.CheckProjectInUse(folder, name);
        EXPECT_EQ(folder, m_folder);
        EXPECT_EQ(name, "Demo");
        return result;
    }

    QString m_folder, m_earlier;
};

TEST_F(InUseMarkerTest, TheMarkerDecidesWhatCanBeRecovered)
{
    EXPECT_EQ(Check(), 0); // no marker
    WriteText(m_folder + "WorkingPath.txt", m_earlier.toUtf8());
    EXPECT_EQ(Check(), 2);
    EXPECT_EQ(app.fileSet().previousWorkingCopyDir, m_earlier);
    EXPECT_EQ(app.fileSet().previousProjectDBPath, m_earlier + "Demo.wc");
    EXPECT_EQ(app.fileSet().previousEquipmentDBPath, m_earlier + "Demo.ewc");
    EXPECT_EQ(app.fileSet().previousMaterialsDBPath, m_earlier + "Demo.mwc");
    QFile::remove(m_folder + "Demo.mtl");
    EXPECT_EQ(Check(), 1);
    QFile::remove(m_earlier + "Demo.ewc"); // the earlier folder was emptied
    EXPECT_EQ(Check(), 0);
    EXPECT_TRUE(prompts.texts().isEmpty());
}

TEST_F(InUseMarkerTest, AMarkerOfSeveralLinesNamesTheirConcatenation)
{
    const QByteArray earlier = m_earlier.toUtf8();
    const qsizetype half = earlier.size() / 2;
    WriteText(m_folder + "WorkingPath.txt", earlier.left(half) + "\n" + earlier.mid(half) + "\r\n");
    EXPECT_EQ(Check(), 2);
    EXPECT_EQ(app.fileSet().previousWorkingCopyDir, m_earlier);
}

TEST_F(InUseMarkerTest, AProjectHeldByAnotherProcessIsRefused)
{
    const QString marker = m_folder + "WorkingPath.txt";
    WriteText(marker, m_earlier.toUtf8());
    {
        MarkerHolder other(marker);
        ASSERT_TRUE(other.locked());
        prompts.expect(IDOK);
        EXPECT_EQ(Check(), 3);
        EXPECT_EQ(prompts.lastText(), ALREADY_OPEN);
        EXPECT_FALSE(manager.WriteInUseMarker(m_folder));
        EXPECT_FALSE(manager.HoldsInUseMarker());
        QFile file(marker);
        ASSERT_TRUE(file.open(QIODevice::ReadOnly));
        EXPECT_EQ(file.readAll(), m_earlier.toUtf8()); // the holder's content is untouched
    }
    ASSERT_TRUE(manager.WriteInUseMarker(m_folder));
    QFile file(marker);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(file.readAll(), workingDir().toUtf8());
    MarkerHolder late(marker);
    EXPECT_FALSE(late.locked()); // another instance cannot take it while this one holds it
}

TEST_F(InUseMarkerTest, ReleasingDeletesOnlyAMarkerThisInstanceHolds)
{
    const QString marker = m_folder + "WorkingPath.txt";
    WriteText(marker, m_earlier.toUtf8());
    manager.ReleaseInUseMarker();
    EXPECT_TRUE(QFileInfo::exists(marker));
    ASSERT_TRUE(manager.WriteInUseMarker(m_folder));
    manager.ReleaseInUseMarker();
    EXPECT_FALSE(QFileInfo::exists(marker));
}

// ---- recovery write-back ---------------------------------------------------------------------

class RecoveryTest : public ProjectFixture {
protected:
    // An earlier instance that edited Demo and ended without closing: its working copies keep the
    // edits in their -wal files only.
    void LeaveCrashedWorkingCopies(const QString& earlier)
    {
        const QString live = app.root() + "live/";
        QDir().mkpath(live);
        QDir().mkpath(earlier);
        const QList<QPair<QString, QString>> copies = {{"Demo.prj", "Demo.wc"},
                                                       {"Demo.eqm", "Demo.ewc"},
                                                       {"Demo.mtl", "Demo.mwc"},
                                                       {"STEP_1001.STP", "STEP_1001.WC"}};
        for (const auto& [from, to] : copies)
            ASSERT_TRUE(CopyDatabaseFile(projectDir() + from, live + to));
        CDaoDatabase project, step;
        project.Open(live + "Demo.wc", DatabaseRole::WorkingCopy);
        step.Open(live + "STEP_1001.WC", DatabaseRole::WorkingCopy);
        project.Execute("UPDATE Process SET Description = 'Recovered' WHERE ProcessID = 1");
        step.Execute(
            "UPDATE TextRecipe SET Label = 'Recovered step' WHERE ID = (SELECT MAX(ID) FROM TextRecipe)");
        ASSERT_GT(QFileInfo(live + "Demo.wc-wal").size(), 0);
        ASSERT_GT(QFileInfo(live + "STEP_1001.WC-wal").size(), 0);
        for (const auto& copy : copies) {
            for (const char* suffix : {"", "-wal"}) {
                if (QFileInfo::exists(live + copy.second + suffix))
                    ASSERT_TRUE(QFile::copy(live + copy.second + suffix, earlier + copy.second + suffix));
            }
        }
    }
};

TEST_F(RecoveryTest, TheEarlierWorkingCopiesReplaceTheProjectFilesWhichKeepTheirOneNames)
{
    WriteProject(CProjectGenerator::DemoProject());
    const QString earlier = app.root() + "earlier/";
    LeaveCrashedWorkingCopies(earlier);
    WriteText(projectDir() + "Demo.prj1", "stale");
    ProjectFileSet& files = app.fileSet();
    files.previousWorkingCopyDir = earlier;
    files.previousProjectDBPath = earlier + "Demo.wc";
    files.previousEquipmentDBPath = earlier + "Demo.ewc";
    files.previousMaterialsDBPath = earlier + "Demo.mwc";

    manager.ReplaceProjectFiles(projectDir(), workingDir(), "Demo");
    EXPECT_TRUE(prompts.texts().isEmpty());
    for (const char* name : {"Demo.prj1", "Demo.eqm1", "Demo.mtl1", "STEP_1001.STP1", "STEP_1006.STP1"})
        EXPECT_TRUE(QFileInfo::exists(projectDir() + name)) << name;
    EXPECT_GT(QFileInfo(projectDir() + "Demo.prj1").size(), 5); // the stale one was replaced
    EXPECT_EQ(
        ValueIn(projectDir() + "Demo.prj", "SELECT Description FROM Process WHERE ProcessID = 1").toString(),
        "Recovered");
    EXPECT_EQ(ValueIn(projectDir() + "STEP_1001.STP",
                      "SELECT Label FROM TextRecipe WHERE ID = (SELECT MAX(ID) FROM TextRecipe)")
                  .toString(),
              "Recovered step");
    EXPECT_TRUE(QFileInfo::exists(projectDir() + "Demo.eqm"));
    EXPECT_TRUE(QFileInfo::exists(projectDir() + "Demo.mtl"));
    EXPECT_TRUE(QDir(earlier).entryList(QDir::Files).isEmpty());
}

TEST_F(RecoveryTest, AMissingWorkingCopyStopsTheWriteBackWithItsMessage)
{
    WriteProject(CProjectGenerator::DemoProject());
    const QString earlier = app.root() + "earlier/";
    LeaveCrashedWorkingCopies(earlier);
    ASSERT_TRUE(DeleteDatabaseFile(earlier + "Demo.mwc"));
    ProjectFileSet& files = app.fileSet();
    files.previousWorkingCopyDir = earlier;
    files.previousProjectDBPath = earlier + "Demo.wc";
    files.previousEquipmentDBPath = earlier + "Demo.ewc";
    files.previousMaterialsDBPath = earlier + "Demo.mwc";
    prompts.expect(IDOK);
    manager.ReplaceProjectFiles(projectDir(), workingDir(), "Demo");
    EXPECT_EQ(prompts.lastText(), "Failed to copy project material file \"" + projectDir() + "Demo.mtl\" !");
    EXPECT_TRUE(QFileInfo::exists(projectDir() + "Demo.mtl1"));
    EXPECT_TRUE(QFileInfo::exists(earlier + "Demo.wc")); // nothing of the earlier run is deleted
}
