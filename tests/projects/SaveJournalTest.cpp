// A save journal found at open: finished when every entry verifies, otherwise deleted with its
// temporaries; one that cannot be finished stops the open and changes nothing.

#include "ProjectFixture.h"
#include "RealDiskSyncs.h"

#include "foundation/db/DaoDatabase.h"
#include "foundation/db/DatabaseFiles.h"
#include "foundation/db/SaveJournal.h"

#include <QDir>
#include <QFile>

namespace {
const char* const DESCRIPTION = "SELECT Description FROM Process WHERE ProcessID = 1";
const char* const LABEL = "SELECT Label FROM TextRecipe WHERE ID = (SELECT MAX(ID) FROM TextRecipe)";

struct JournalCase {
    const char* name;
    bool stepRenamed;   // the first rename was made before the interruption
    bool torn;          // the journal lacks its end
    bool damaged;       // the project's temporary differs from what the journal recorded
    bool stepBlocked;   // the first rename cannot be made
    bool finished;      // the files hold the journalled content afterwards
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
};
} // namespace

TEST_P(SaveJournalOpenTest, TheOpenFinishesAWholeJournalAndDiscardsAnyOther)
{
    const JournalCase& c = GetParam();
    WriteDemo();
    const QString step = projectDir() + "STEP_1002.STP", project = projectPath(".prj");
    WriteTemporary(step, "UPDATE TextRecipe SET Label = 'Journalled'");
    WriteTemporary(project, "UPDATE Process SET Description = 'Journalled' WHERE ProcessID = 1");
    CSaveJournal journal(project);
    journal.Add(step + ".tmp", step);
    journal.Add(project + ".tmp", project);
    journal.Write();
    if (c.stepRenamed)
        ReplaceFile(step + ".tmp", step);
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
    EXPECT_EQ(LayerValue(GetStepDBPath(1002), LABEL).toString() == "Journalled", c.finished || c.stepRenamed);
    EXPECT_EQ(QDir(projectDir()).entryList({"*.bu", "*.tmp", "*.save"}, QDir::Files), QStringList());
}

INSTANTIATE_TEST_SUITE_P(Journals, SaveJournalOpenTest,
                         ::testing::ValuesIn(std::vector<JournalCase>{
                             {"Whole", false, false, false, false, true},
                             {"PartlyRenamed", true, false, false, false, true},
                             {"Torn", false, true, false, false, false},
                             {"Damaged", false, false, true, false, false},
                             {"Blocked", false, false, false, true, false},
                         }),
                         [](const auto& info) { return std::string(info.param.name); });
