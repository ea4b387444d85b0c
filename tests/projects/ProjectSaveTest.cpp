#include "ProjectFixture.h"

#include "foundation/common/concerns/AppContext.h"
#include "foundation/db/files/Compaction.h"
#include "foundation/db/connection/DaoDatabase.h"
#include "foundation/db/files/DatabaseFiles.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QScopeGuard>

namespace {
const char* const PROCESS_DESCRIPTION = "SELECT Description FROM Process WHERE ProcessID = 1";
const char* const STEP_LABEL = "SELECT Label FROM TextRecipe WHERE ID = (SELECT MAX(ID) FROM TextRecipe)";

QList<int> ProgressPositions(const FakeFrameServices& frame)
{
    QList<int> positions;
    for (const QString& call : frame.callsNamed("SetProgressPos"))
        positions << call.section(' ', 1).toInt();
    return positions;
}
} // namespace

class ProjectSaveTest : public ProjectFixture {};

TEST_F(ProjectSaveTest, SavedEditsAreThereAfterAReopenAndNoBackupIsLeft)
{
    OpenDemo();
    EditProject("UPDATE Process SET Description = 'Edited' WHERE ProcessID = 1");
    EditStep(1002, "UPDATE TextRecipe SET Label = 'Edited step' WHERE ID = (SELECT MAX(ID) FROM TextRecipe)");
    ASSERT_TRUE(manager.SaveProject(QString(), false));
    EXPECT_FALSE(app.isProjectModified());
    EXPECT_EQ(frame.callsNamed("StopAutoSaveTimer").size(), 1);
    EXPECT_EQ(frame.callsNamed("BeginProgress"), QStringList{"BeginProgress 0 100 saving project"});
    EXPECT_EQ(ProgressPositions(frame), (QList<int>{20, 27, 34, 41, 48, 55, 62, 69, 80, 90, 100}));
    EXPECT_TRUE(QDir(projectDir()).entryList({"*.bu", "*.tmp"}, QDir::Files).isEmpty());
    EXPECT_EQ(QDir(instanceDir()).entryList({"*.tmp*"}, QDir::Files), QStringList());
    EXPECT_TRUE(app.fileSet().projectDatabase->IsOpen());

    // A step without an open database is written from its working copy.
    EditStep(1003,
             "UPDATE TextRecipe SET Label = 'Unregistered' WHERE ID = (SELECT MAX(ID) FROM TextRecipe)");
    for (int i = 0; i < app.stepDatabases().count(); ++i) {
        if (app.stepDatabases().stepIDAt(i) == 1003)
            app.stepDatabases().removeAt(i);
    }
    ASSERT_TRUE(manager.SaveProject(QString(), false));
    EXPECT_EQ(LayerValue(projectDir() + "STEP_1003.STP", STEP_LABEL).toString(), "Unregistered");
    ASSERT_TRUE(manager.CloseCurrentProject());
    ReopenProject();
    EXPECT_EQ(LayerValue(app.fileSet().projectDBPath, PROCESS_DESCRIPTION).toString(), "Edited");
    EXPECT_EQ(LayerValue(GetStepDBPath(1002), STEP_LABEL).toString(), "Edited step");

    // A new name writes the files under it and renames the project record.
    manager.m_bPendingRecentFile = true;
    ASSERT_TRUE(manager.SaveProject("Copy", false));
    for (const char* extension : {".prj", ".eqm", ".mtl"})
        EXPECT_TRUE(QFileInfo::exists(projectDir() + "Copy" + extension)) << extension;
    EXPECT_EQ(LayerValue(projectDir() + "Copy.prj", "SELECT ProjectName FROM Project").toString(), "Copy");
    EXPECT_EQ(app.recentFiles(), QStringList{projectDir() + "Copy.prj"});
    EXPECT_FALSE(manager.m_bPendingRecentFile);
}

// The temporaries of every file are written before any project file changes: a failure on the
// n-th leaves every project file as it was, no temporary, no journal, the project modified.
class ProjectSaveFailureTest : public ProjectFixture, public ::testing::WithParamInterface<int> {};

TEST_P(ProjectSaveFailureTest, AFailureWritingTheNthTemporaryChangesNoProjectFile)
{
    OpenDemo();
    EditProject("UPDATE Process SET Description = 'Edited' WHERE ProcessID = 1");
    for (long stepID = 1001; stepID <= 1006; ++stepID) // every file is written
        EditStep(stepID, "UPDATE TextRecipe SET Label = 'Edited'");
    const QMap<QString, QByteArray> before = Snapshot(projectDir());
    int files = 0;
    CompactionStageHook previous = SetCompactionStageHook([&files](CompactionStage stage) {
        if (stage == CompactionStage::VacuumInto)
            ++files;
        return !(stage == CompactionStage::SyncTemporary && files == GetParam());
    });
    const auto restore = qScopeGuard([&previous] { SetCompactionStageHook(std::move(previous)); });
    prompts.expect(IDOK);
    EXPECT_FALSE(manager.SaveProject(QString(), false));
    EXPECT_EQ(prompts.lastText(), "Compaction stopped at stage 2.");
    EXPECT_TRUE(app.isProjectModified());
    EXPECT_EQ(frame.callsNamed("EndProgress").size(), 1);
    EXPECT_EQ(Snapshot(projectDir()), before);
    EXPECT_EQ(QDir(instanceDir()).entryList({"*.tmp*"}, QDir::Files), QStringList());
    EXPECT_TRUE(app.fileSet().projectDatabase->IsOpen());
    EXPECT_EQ(app.stepDatabases().count(), 6);
}

// Six steps, then the project, equipment and material databases.
INSTANTIATE_TEST_SUITE_P(Files, ProjectSaveFailureTest, ::testing::Values(1, 4, 6, 7, 8, 9));

// Once the journal is written the save is committed: a rename that fails leaves the journal and
// the temporaries, the save answers false, and the next save finishes the journal first.
TEST_F(ProjectSaveTest, ARenameFailingAfterTheJournalIsFinishedByTheNextSave)
{
    OpenDemo();
    EditProject("UPDATE Process SET Description = 'Edited' WHERE ProcessID = 1");
    const QString material = projectPath(".mtl");
    ASSERT_TRUE(QFile::remove(material));
    ASSERT_TRUE(QDir().mkpath(material + "/blocked"));
    prompts.expect(IDOK);
    EXPECT_FALSE(manager.SaveProject(QString(), false));
    EXPECT_EQ(prompts.lastText(),
              "Cannot rename '" + material + ".tmp' to '" + material + "': Is a directory");
    EXPECT_TRUE(app.isProjectModified());
    EXPECT_TRUE(QFileInfo::exists(projectPath(".prj.save")));
    EXPECT_TRUE(QFileInfo::exists(material + ".tmp"));
    EXPECT_EQ(LayerValue(projectPath(".prj"), PROCESS_DESCRIPTION).toString(), "Edited");

    ASSERT_TRUE(QDir(material).removeRecursively());
    ASSERT_TRUE(manager.SaveProject(QString(), false));
    EXPECT_FALSE(app.isProjectModified());
    EXPECT_EQ(QDir(projectDir()).entryList({"*.bu", "*.tmp", "*.save"}, QDir::Files), QStringList());
    EXPECT_GT(LayerValue(material, "SELECT COUNT(*) FROM sqlite_master").toInt(), 0);
}

// Declining the question changes nothing; a template written keeps the builder's window rows only.
TEST_F(ProjectSaveTest, ATemplateSaveStripsOnlyTheWrittenTemplate)
{
    OpenDemo();
    app.fileSet().isTemplate = true;
    EditProject("INSERT INTO WindowsPosition (Type, ItemID) VALUES ('Project Builder', 1), ('Recipe', 1001)");
    prompts.expect(IDNO);
    EXPECT_FALSE(manager.SaveProject(QString(), false));
    EXPECT_FALSE(QFileInfo::exists(projectPath(".qvt")));
    EXPECT_TRUE(app.isProjectModified());
    EXPECT_TRUE(frame.calls().isEmpty());

    prompts.expect(IDYES);
    ASSERT_TRUE(manager.SaveProject(QString(), false));
    EXPECT_EQ(frame.callsNamed("BeginProgress"), QStringList{"BeginProgress 0 100 saving template"});
    EXPECT_EQ(ProgressPositions(frame), (QList<int>{20, 50, 80, 90, 100}));
    const QString builderRows = "(SELECT COUNT(*) FROM WindowsPosition WHERE Type = 'Project Builder')";
    const QString contents =
        "SELECT (SELECT COUNT(*) FROM Process) || '|' || (SELECT COUNT(*) FROM "
        "\"Step-To-Process\") || '|' || (SELECT group_concat(StepName) FROM ProjectStep) || "
        "'|' || (SELECT COUNT(*) FROM WindowsPosition) || '|' || " +
        builderRows;
    const int builderRowsKept = LayerValue(app.fileSet().projectDBPath, "SELECT " + builderRows).toInt();
    EXPECT_EQ(LayerValue(projectPath(".qvt"), contents).toString(),
              QString("0|0|START|%1|%1").arg(builderRowsKept));
    EXPECT_TRUE(QFileInfo::exists(projectPath(".eqt")));
    EXPECT_TRUE(QFileInfo::exists(projectPath(".mtt")));
    EXPECT_EQ(LayerValue(app.fileSet().projectDBPath, "SELECT COUNT(*) FROM Process").toInt(), 2);
    EXPECT_EQ(app.stepDatabases().count(), 6);
}

// A temporary a killed save left beside a step this save does not write is no part of this save.
TEST_F(ProjectSaveTest, ALeftoverTemporaryOfAStepNotWrittenIsNotCommitted)
{
    OpenDemo();
    for (int i = 0; i < app.stepDatabases().count(); ++i) {
        if (app.stepDatabases().stepIDAt(i) == 1003)
            app.stepDatabases().removeAt(i);
    }
    ASSERT_TRUE(DeleteDatabaseFile(instanceDir() + "STEP_1003.WC"));
    const QString step = projectDir() + "STEP_1003.STP";
    const QByteArray before = FileBytes(step);
    QFile leftover(step + ".tmp");
    ASSERT_TRUE(leftover.open(QIODevice::WriteOnly) && leftover.write("torn") == 4);
    leftover.close();
    ASSERT_TRUE(manager.SaveProject(QString(), false));
    EXPECT_EQ(FileBytes(step), before);
    EXPECT_EQ(QDir(projectDir()).entryList({"*.bu", "*.tmp", "*.save"}, QDir::Files), QStringList());
}
