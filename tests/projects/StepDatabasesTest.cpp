#include "ProjectFixture.h"

#include "foundation/common/ServiceSlot.h"
#include "foundation/common/concerns/AppContext.h"
#include "foundation/common/concerns/ProcessOperationService.h"
#include "foundation/common/concerns/SubsystemConcerns.h"
#include "foundation/db/connection/DaoDatabase.h"
#include "foundation/db/connection/DaoException.h"
#include "foundation/db/files/DatabaseFiles.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QScopeGuard>

class StepDatabasesTest : public ProjectFixture {};

// Step 1001 belongs to both processes; steps added later are registered once, START never, and a
// step without a working copy is left out silently.
TEST_F(StepDatabasesTest, EveryStepIsRegisteredOnceInTheWorkingCopyRoleUntilTheRegistryIsEmptied)
{
    OpenDemo();
    ASSERT_EQ(app.stepDatabases().count(), 6);
    for (long id = 1001; id <= 1006; ++id) {
        ASSERT_NE(GetStepDatabase(id), nullptr) << id;
        EXPECT_EQ(GetStepDatabase(id)->GetRole(), DatabaseRole::WorkingCopy);
        EXPECT_EQ(GetStepDBPath(id), instanceDir() + QString("STEP_%1.WC").arg(id));
    }
    EditProject("INSERT INTO ProjectStep (StepID, StepName) VALUES (2001, 'Added'), (2002, 'No copy')");
    ASSERT_TRUE(CopyDatabaseFile(projectDir() + "STEP_1001.STP", instanceDir() + "STEP_2001.WC"));
    ASSERT_TRUE(CopyDatabaseFile(projectDir() + "STEP_1001.STP", instanceDir() + "STEP_1.WC")); // START's id
    EXPECT_EQ(GetStepDatabase(2001), nullptr);
    manager.OpenNewStepDatabases();
    manager.OpenNewStepDatabases();
    EXPECT_EQ(app.stepDatabases().count(), 7);
    EXPECT_NE(GetStepDatabase(2001), nullptr);
    EXPECT_EQ(GetStepDatabase(2002), nullptr);
    EXPECT_EQ(GetStepDatabase(1), nullptr);
    EXPECT_TRUE(prompts.texts().isEmpty());
    DeleteDatabaseFile(instanceDir() + "STEP_1.WC");

    EditStep(1001, "UPDATE TextRecipe SET Label = 'x'");
    manager.CloseStepDatabases();
    EXPECT_EQ(app.stepDatabases().count(), 0);
    EXPECT_EQ(GetStepDBPath(1001), "");
    EXPECT_EQ(QDir(instanceDir()).entryList({"STEP_*"}, QDir::Files), QStringList());
}

// Step 1002 cannot be converted, 1003 and 1004 are converted and 1004's regeneration raises a
// database error: both are left out at once, the walk goes on, and a save never writes their files.
TEST_F(StepDatabasesTest, AStepLeftOutAtOpenKeepsNoWorkingCopyAndIsNeverSaved)
{
    WriteDemo();
    manager.SetStepConverter([](const QString& path) {
        return path.endsWith("STEP_1002.WC")                                    ? CONV_FAILED
               : path.endsWith("STEP_1003.WC") || path.endsWith("STEP_1004.WC") ? CONV_STEP_CONVERTED
                                                                                : CONV_CURRENT;
    });
    struct Regeneration : RecipeTextRegeneration {
        QList<long> regenerated;
        bool RegenerateStepRecipeText(long id) override
        {
            regenerated << id;
            if (id == 1004)
                throw CDaoException("Step 1004 cannot be regenerated.");
            return true;
        }
        void UpdateRecipeTextOfAllSteps() override {}
    } regeneration;
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
    EXPECT_EQ(regeneration.regenerated, (QList<long>{1003, 1004}));
    EXPECT_EQ(app.stepDatabases().count(), 4);
    for (long id : {1002, 1004}) {
        EXPECT_EQ(GetStepDatabase(id), nullptr) << id;
        EXPECT_FALSE(QFileInfo::exists(instanceDir() + QString("STEP_%1.WC").arg(id))) << id;
    }
    EditProject("UPDATE Process SET Description = 'Edited' WHERE ProcessID = 1");
    ASSERT_TRUE(manager.SaveProject(QString(), false));
    for (const char* step : {"STEP_1002.STP", "STEP_1004.STP"})
        EXPECT_EQ(QFileInfo(projectDir() + step).lastModified(), old) << step;
}

// The lowest step cannot be converted: the open goes on, answers that the project is open, and the
// first operation handed to the managed side is that of the first step with a database.
TEST_F(StepDatabasesTest, ALeftOutLowestStepStillOpensTheProjectAndTheNextStepIsHandedOn)
{
    const QString path = WriteDemo();
    manager.SetStepConverter(
        [](const QString& step) { return step.endsWith("STEP_1001.WC") ? CONV_FAILED : CONV_CURRENT; });
    struct Operations : ProcessOperationService {
        bool InvokeProcessOperation(long stepID, const QString& name, long, QString&) override
        {
            handed << QString("%1 %2").arg(stepID).arg(name);
            return true;
        }
        QStringList handed;
    } operations;
    ProcessOperationService* previous = SetProcessOperationService(&operations);
    const auto restore = qScopeGuard([previous] { SetProcessOperationService(previous); });
    prompts.expect(IDOK);
    EXPECT_TRUE(OpenGiven(path));
    EXPECT_EQ(prompts.texts(), QStringList{"Can't convert the step database!"});
    EXPECT_TRUE(manager.IsProjectOpen());
    const QString firstOperation =
        LayerValue(projectDir() + "STEP_1002.STP",
                   "SELECT OperationName FROM QryTextRecipe WHERE StepID = 1002 AND Type = 'Operation' "
                   "ORDER BY RecipeSequenceNumber, RowKey LIMIT 1")
            .toString();
    ASSERT_FALSE(firstOperation.isEmpty());
    EXPECT_EQ(operations.handed, QStringList{"1002 " + firstOperation});
}
