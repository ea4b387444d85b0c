// A save journal found at open: finished when every entry verifies, otherwise deleted with its
// temporaries; one that cannot be finished stops the open and changes nothing.

#include "ProjectFixture.h"
#include "RealDiskSyncs.h"

#include "foundation/db/connection/DaoDatabase.h"
#include "foundation/db/connection/DaoException.h"
#include "foundation/db/files/DatabaseFiles.h"
#include "foundation/db/files/SaveJournal.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

namespace {
const char* const DESCRIPTION = "SELECT Description FROM Process WHERE ProcessID = 1";
const char* const LABEL = "SELECT Label FROM TextRecipe WHERE ID = (SELECT MAX(ID) FROM TextRecipe)";

struct JournalCase {
    const char* name;
    bool stepRenamed; // the first rename was made before the interruption
    bool allRenamed;  // every rename was made: a journal whose removal a power loss undid
    bool torn;        // the journal lacks its end
    bool damaged;     // the project's temporary differs from what the journal recorded
    bool stepBlocked; // the first rename cannot be made
    bool finished;    // the files hold the journalled content afterwards
};

class SaveJournalOpenTest : public ProjectFixture, public ::testing::WithParamInterface<JournalCase> {
protected:
    RealDiskSyncs m_syncs;
    // The temporary of a file with the edit applied, written as a save would.
    void WriteTemporary(const QString& target, const QString& sql)
    {
        const QString scratch = root() + "scratch.db";
        ASSERT_TRUE(CopyDatabaseFile(target, scratch));
        {
            CDaoDatabase database;
            database.Open(scratch, DatabaseRole::ReadWrite);
            database.Execute(sql);
        }
        ASSERT_TRUE(CopyDatabaseFile(scratch, target + ".tmp"));
        ASSERT_TRUE(DeleteDatabaseFile(scratch));
    }
    QString stepFile() const { return projectDir() + "STEP_1002.STP"; }
    // The demo project, with its step's and its own edit written as temporaries.
    void WriteEditedTemporaries()
    {
        WriteDemo();
        WriteTemporary(stepFile(), "UPDATE TextRecipe SET Label = 'Journalled'");
        WriteTemporary(projectPath(".prj"), "UPDATE Process SET Description = 'Journalled' WHERE ProcessID = 1");
    }
    // Both renames journalled and the journal written: the save is committed.
    void JournalBothRenames(CSaveJournal& journal)
    {
        journal.Add(stepFile() + ".tmp", stepFile());
        journal.Add(projectPath(".prj") + ".tmp", projectPath(".prj"));
        journal.Write();
    }
};
} // namespace

TEST_P(SaveJournalOpenTest, TheOpenFinishesAWholeJournalAndDiscardsAnyOther)
{
    const JournalCase& c = GetParam();
    WriteEditedTemporaries();
    const QString step = stepFile(), project = projectPath(".prj");
    CSaveJournal journal(project);
    JournalBothRenames(journal);
    if (c.stepRenamed || c.allRenamed)
        ReplaceFile(step + ".tmp", step);
    if (c.allRenamed)
        ReplaceFile(project + ".tmp", project);
    if (c.torn) {
        ASSERT_TRUE(QFile::resize(journal.path(), QFileInfo(journal.path()).size() - 4));
    }
    if (c.damaged) {
        QFile temporary(project + ".tmp");
        ASSERT_TRUE(temporary.open(QIODevice::Append) && temporary.write("x") == 1);
    }
    if (c.stepBlocked) {
        ASSERT_TRUE(QFile::remove(step));
        ASSERT_TRUE(QDir().mkpath(step + "/blocked"));
    }
    const QMap<QString, QByteArray> before = Snapshot(projectDir());
    if (c.stepBlocked)
        prompts.expect(IDOK);
    EXPECT_EQ(OpenGiven(project), !c.stepBlocked);
    if (c.stepBlocked) {
        EXPECT_EQ(prompts.lastText(), "Cannot rename '" + step + ".tmp' to '" + step + "': Is a directory");
        EXPECT_EQ(Snapshot(projectDir()), before);
        return;
    }
    EXPECT_EQ(LayerValue(app.fileSet().projectDBPath, DESCRIPTION).toString() == "Journalled", c.finished);
    EXPECT_EQ(LayerValue(GetStepDBPath(1002), LABEL).toString() == "Journalled",
              c.finished || c.stepRenamed || c.allRenamed);
    EXPECT_EQ(QDir(projectDir()).entryList({"*.bu", "*.tmp", "*.save"}, QDir::Files), QStringList());
}

INSTANTIATE_TEST_SUITE_P(Journals, SaveJournalOpenTest,
                         ::testing::ValuesIn(std::vector<JournalCase>{
                             {"Whole", false, false, false, false, false, true},
                             {"PartlyRenamed", true, false, false, false, false, true},
                             {"AllRenamed", false, true, false, false, false, true},
                             {"Torn", false, false, true, false, false, false},
                             {"Damaged", false, false, false, true, false, false},
                             {"Blocked", false, false, false, false, true, false},
                         }),
                         [](const auto& info) { return std::string(info.param.name); });

// A backup an interrupted save linked cannot be told from a file of the user's under its name:
// the journal finished at open leaves a "<target>.bu" beside a target renamed before the
// interruption.
using SaveJournalBackupTest = SaveJournalOpenTest;

TEST_F(SaveJournalBackupTest, AFileUnderTheBackupNameOfAnEarlierRenameStays)
{
    WriteEditedTemporaries();
    const QString step = stepFile(), project = projectPath(".prj");
    CSaveJournal journal(project);
    JournalBothRenames(journal);
    ReplaceFile(step + ".tmp", step);
    WriteTextFile(step + ".bu", "the user's");
    EXPECT_TRUE(OpenGiven(project));
    EXPECT_EQ(LayerValue(app.fileSet().projectDBPath, DESCRIPTION).toString(), "Journalled");
    EXPECT_FALSE(QFileInfo::exists(journal.path()));
    EXPECT_EQ(Snapshot(projectDir()).value("STEP_1002.STP.bu"), "the user's");
}

// A temporary whose name was given to another file after the journal took it in is never renamed:
// the commit fails naming it, the target renamed before it gets its old bytes back, one that was
// new goes, and the journal goes with the backup the save linked; a ".bu" beside the new target,
// which the save did not make, stays.
using SaveJournalRenameTest = SaveJournalOpenTest;

TEST_F(SaveJournalRenameTest, ATemporarySwappedAfterItWasJournalledIsNeverRenamed)
{
    WriteEditedTemporaries();
    const QString step = stepFile(), project = projectPath(".prj");
    const QByteArray stepBefore = Snapshot(projectDir()).value("STEP_1002.STP"),
                     projectBefore = Snapshot(projectDir()).value("Demo.prj");
    const QString added = projectDir() + "STEP_1099.STP";
    ASSERT_TRUE(CopyDatabaseFile(step + ".tmp", added + ".tmp"));
    {
        QFile other(added + ".bu");
        ASSERT_TRUE(other.open(QIODevice::WriteOnly) && other.write("not the save's") == 14);
    }
    CSaveJournal journal(project);
    journal.Add(step + ".tmp", step);
    journal.Add(added + ".tmp", added);
    journal.Add(project + ".tmp", project);
    journal.Write();
    ASSERT_TRUE(CopyDatabaseFile(step + ".tmp", root() + "intruder"));
    ReplaceFile(root() + "intruder", project + ".tmp");

    try {
        journal.Commit();
        ADD_FAILURE() << "the commit renamed a file it did not write";
    } catch (const CDaoException& e) {
        EXPECT_EQ(e.GetErrorDescription(),
                  "The file \"" + project +
                      ".tmp\" was replaced while the project was saved: the save was undone.");
    }
    EXPECT_EQ(Snapshot(projectDir()).value("STEP_1002.STP"), stepBefore);
    EXPECT_EQ(Snapshot(projectDir()).value("Demo.prj"), projectBefore);
    EXPECT_FALSE(QFileInfo::exists(journal.path()));
    EXPECT_FALSE(QFileInfo::exists(added));
    EXPECT_EQ(QDir(projectDir()).entryList({"*.bu"}, QDir::Files), QStringList{"STEP_1099.STP.bu"});
    EXPECT_EQ(Snapshot(projectDir()).value("STEP_1099.STP.bu"), "not the save's");
}

// Every journal records 64-bit FNV-1a over the whole file: journals already on disk must verify,
// across the reading's block and buffer boundaries too.
TEST(SaveJournalChecksum, IsFnv1aOverEveryByte)
{
    const auto byteByByte = [](const QByteArray& bytes) {
        quint64 hash = 14695981039346656037ULL;
        for (const char byte : bytes)
            hash = (hash ^ quint8(byte)) * 1099511628211ULL;
        return hash;
    };
    QByteArray large(65536 + 13, Qt::Uninitialized);
    for (qsizetype i = 0; i < large.size(); ++i)
        large[i] = char(i * 131 + 7);
    const struct {
        QByteArray bytes;
        quint64 expected;
    } cases[] = {{"", 0xcbf29ce484222325ULL},
                 {"a", 0xaf63dc4c8601ec8cULL},
                 {"foobar", 0x85944171f73967e8ULL},
                 {"8 bytes!", byteByByte("8 bytes!")},
                 {"nine byte", byteByByte("nine byte")},
                 {large, byteByByte(large)}};
    QTemporaryDir folder;
    const QString path = folder.filePath("file");
    for (const auto& c : cases) {
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        ASSERT_EQ(file.write(c.bytes), c.bytes.size());
        file.close();
        qint64 size = -1;
        EXPECT_EQ(CSaveJournal::Checksum(path, &size), c.expected) << c.bytes.size();
        EXPECT_EQ(size, c.bytes.size());
    }
}
