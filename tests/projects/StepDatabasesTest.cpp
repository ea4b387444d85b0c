#include "ProjectFixture.h"

#include "foundation/common/AppContext.h"
#include "foundation/db/DaoDatabase.h"
#include "foundation/db/DatabaseFiles.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

class StepDatabasesTest : public ProjectFixture {
protected:
    // Walks the steps of the project written into the project folder, with only the project
    // database open; the walk is expected to fail once, with a message. Answers its error text.
    QString FailingWalk()
    {
        ProjectFileSet& files = app.fileSet();
        files.projectDir = projectDir();
        files.workingCopyDir = workingDir();
        EXPECT_TRUE(CopyDatabaseFile(projectPath(".prj"), workingDir() + "Demo.wc"));
        files.projectDatabase = new CDaoDatabase;
        files.projectDatabase->Open(workingDir() + "Demo.wc", DatabaseRole::WorkingCopy);
        prompts.expect(IDOK);
        QString error;
        EXPECT_FALSE(manager.OpenStepDatabases(error, QString()));
        return error;
    }
};

TEST_F(StepDatabasesTest, EveryStepOfTheProjectIsRegisteredOnceInTheWorkingCopyRole)
{
    OpenDemo(); // step 1001 belongs to both processes
    const StepDatabaseRegistry& registry = app.stepDatabases();
    ASSERT_EQ(registry.count(), 6);
    for (long id = 1001; id <= 1006; ++id) {
        ASSERT_NE(GetStepDatabase(id), nullptr) << id;
        EXPECT_EQ(GetStepDatabase(id)->GetRole(), DatabaseRole::WorkingCopy);
        EXPECT_EQ(GetStepDBPath(id), workingDir() + QString("STEP_%1.WC").arg(id));
    }
}

TEST_F(StepDatabasesTest, AStepTheModuleCannotConvertIsSkippedAndAConvertedOneRegenerated)
{
    WriteProject(CProjectGenerator::DemoProject());
    QList<long> regenerated;
    manager.hooks().convertStep = [](const QString& path) {
        return path.endsWith("STEP_1002.WC") ? 4 : path.endsWith("STEP_1003.WC") ? 2 : 0;
    };
    manager.hooks().regenerateStepRecipeText = [&](long id) {
        regenerated << id;
        return true;
    };
    prompts.expect(IDOK);
    ReopenProject();
    EXPECT_EQ(prompts.texts(), QStringList{"Can't convert the step database!"});
    EXPECT_EQ(GetStepDatabase(1002), nullptr);
    EXPECT_EQ(app.stepDatabases().count(), 5);
    EXPECT_EQ(regenerated, QList<long>{1003});
}

TEST_F(StepDatabasesTest, AMissingStepDatabaseFailsTheWalkWithItsMessage)
{
    WriteProject(CProjectGenerator::DemoProject());
    ASSERT_TRUE(DeleteDatabaseFile(projectDir() + "STEP_1004.STP"));
    const QString error = FailingWalk();
    const QString expected = "Failed to copy step database file \"" + projectDir() + "STEP_1004.STP\" to \"" +
                             workingDir() + "STEP_1004.WC\".\nCheck that the database exists.";
    EXPECT_EQ(error, expected);
    EXPECT_EQ(prompts.lastText(), expected);
}

TEST_F(StepDatabasesTest, AStepFileThatIsNoDatabaseFailsTheWalkAndLeavesNoCopy)
{
    WriteProject(CProjectGenerator::DemoProject());
    QFile step(projectDir() + "STEP_1004.STP");
    ASSERT_TRUE(step.open(QIODevice::WriteOnly | QIODevice::Truncate));
    step.write(QByteArray(4096, 'x'));
    step.close();
    FailingWalk();
    EXPECT_EQ(prompts.lastText(), "Failed to copy step database file \"" + projectDir() +
                                      "STEP_1004.STP\" to \"" + workingDir() +
                                      "STEP_1004.WC\".\nCheck that the database exists.");
    EXPECT_FALSE(QFileInfo::exists(workingDir() + "STEP_1004.WC"));
    EXPECT_NE(GetStepDatabase(1003), nullptr) << "the steps before it stay open";
}

TEST_F(StepDatabasesTest, AStepAddedLaterIsRegisteredOnceAndStartNever)
{
    OpenDemo();
    EditProject("INSERT INTO ProjectStep (StepID, StepName) VALUES (2001, 'Added')");
    ASSERT_TRUE(CopyDatabaseFile(projectDir() + "STEP_1001.STP", workingDir() + "STEP_2001.WC"));
    ASSERT_TRUE(CopyDatabaseFile(projectDir() + "STEP_1001.STP", workingDir() + "STEP_1.WC")); // START's id
    EXPECT_EQ(GetStepDatabase(2001), nullptr);
    manager.OpenNewStepDatabases();
    manager.OpenNewStepDatabases();
    EXPECT_EQ(app.stepDatabases().count(), 7);
    EXPECT_NE(GetStepDatabase(2001), nullptr);
    EXPECT_EQ(GetStepDatabase(1), nullptr);
    DeleteDatabaseFile(workingDir() + "STEP_1.WC");
}

TEST_F(StepDatabasesTest, AnAddedStepWithoutAWorkingCopyIsLeftOutSilently)
{
    OpenDemo();
    EditProject("INSERT INTO ProjectStep (StepID, StepName) VALUES (2002, 'No copy')");
    manager.OpenNewStepDatabases();
    EXPECT_EQ(GetStepDatabase(2002), nullptr);
    EXPECT_TRUE(prompts.texts().isEmpty());
}

TEST_F(StepDatabasesTest, EmptyingTheRegistryDeletesTheStepWorkingCopies)
{
    OpenDemo();
    EditStep(1001, "UPDATE TextRecipe SET Label = 'x'");
    manager.CloseStepDatabases();
    EXPECT_EQ(app.stepDatabases().count(), 0);
    for (long id = 1001; id <= 1006; ++id)
        EXPECT_EQ(GetStepDBPath(id), "");
    EXPECT_TRUE(QDir(workingDir()).entryList({"STEP_*"}, QDir::Files).isEmpty());
}
