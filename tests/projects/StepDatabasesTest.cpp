#include "ProjectFixture.h"

#include "foundation/common/AppContext.h"
#include "foundation/db/DaoDatabase.h"
#include "foundation/db/DaoException.h"
#include "foundation/db/DatabaseFiles.h"

#include "foundation/common/ServiceSlot.h"
#include "foundation/common/SubsystemConcerns.h"

#include <QDateTime>
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
        files.projectDatabase = std::make_unique<CDaoDatabase>();
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

// Step 1002 cannot be converted, 1003 and 1004 are converted and 1004's regeneration raises a
// database error: both are left out at once, the walk goes on, and a save never writes their files.
TEST_F(StepDatabasesTest, AStepLeftOutAtOpenKeepsNoWorkingCopyAndIsNeverSaved)
{
    WriteProject(CProjectGenerator::DemoProject());
    QList<long> regenerated;
    manager.SetStepConverter([](const QString& path) {
        return path.endsWith("STEP_1002.WC")                                    ? CONV_FAILED
               : path.endsWith("STEP_1003.WC") || path.endsWith("STEP_1004.WC") ? CONV_STEP_CONVERTED
                                                                                : CONV_CURRENT;
    });
    struct Regeneration : RecipeTextRegeneration {
        QList<long>& regenerated;
        explicit Regeneration(QList<long>& list) : regenerated(list) {}
        bool RegenerateStepRecipeText(long id) override
        {
            regenerated << id;
            if (id == 1004)
                throw CDaoException("Step 1004 cannot be regenerated.");
            return true;
        }
        void UpdateRecipeTextOfAllSteps() override {}
    } regeneration(regenerated);
    ServiceInstallations installed;
    installed.Install<RecipeTextRegeneration>(&regeneration);
    const QDateTime old = QDateTime::currentDateTime().addDays(-1);
    for (const char* step : {"STEP_1002.STP", "STEP_1004.STP"}) {
        QFile file(projectDir() + step);
        ASSERT_TRUE(file.open(QIODevice::ReadWrite) &&
                    file.setFileTime(old, QFileDevice::FileModificationTime));
    }
    prompts.expect(IDOK);
    prompts.expect(IDOK);
    ReopenProject();
    EXPECT_EQ(prompts.texts(),
              (QStringList{"Can't convert the step database!", "Step 1004 cannot be regenerated."}));
    EXPECT_EQ(regenerated, (QList<long>{1003, 1004}));
    EXPECT_EQ(app.stepDatabases().count(), 4);
    for (long id : {1002, 1004}) {
        EXPECT_EQ(GetStepDatabase(id), nullptr) << id;
        EXPECT_FALSE(QFileInfo::exists(workingDir() + QString("STEP_%1.WC").arg(id))) << id;
    }
    EditProject("UPDATE Process SET Description = 'Edited' WHERE ProcessID = 1");
    ASSERT_TRUE(manager.SaveProject(QString(), false));
    for (const char* step : {"STEP_1002.STP", "STEP_1004.STP"})
        EXPECT_EQ(QFileInfo(projectDir() + step).lastModified(), old) << step;
}

// A step file that is missing or no database fails the walk with the copy message; the steps
// before it stay open and no copy of it is left.
class StepCopyFailureTest : public StepDatabasesTest, public ::testing::WithParamInterface<bool> {};

TEST_P(StepCopyFailureTest, FailsTheWalkWithItsMessageAndLeavesNoCopy)
{
    WriteProject(CProjectGenerator::DemoProject());
    const QString step = projectDir() + "STEP_1004.STP";
    if (GetParam()) {
        ASSERT_TRUE(DeleteDatabaseFile(step));
    } else {
        QFile file(step);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        file.write(QByteArray(4096, 'x'));
    }
    const QString expected = "Failed to copy step database file \"" + step + "\" to \"" + workingDir() +
                             "STEP_1004.WC\".\nCheck that the database exists.";
    EXPECT_EQ(FailingWalk(), expected);
    EXPECT_EQ(prompts.lastText(), expected);
    EXPECT_FALSE(QFileInfo::exists(workingDir() + "STEP_1004.WC"));
    EXPECT_NE(GetStepDatabase(1003), nullptr);
}

INSTANTIATE_TEST_SUITE_P(MissingOrNoDatabase, StepCopyFailureTest, ::testing::Bool());

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
