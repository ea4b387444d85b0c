#pragma once
// A generated project opened the way the program opens one (project database and registered step
// databases), with one recording fake for the frame's progress, the recipe views, the Process
// Explorer and the managed process-operation call: every call lands in `calls` in order.

#include "DemoSteps.h"
#include "FakeAppContext.h"
#include "FakeFrameServices.h"
#include "ScriptedPrompts.h"
#include "foundation/common/concerns/ProcessOperationService.h"
#include "foundation/common/concerns/SubsystemConcerns.h"
#include "foundation/db/content/ProjectGenerator.h"

#include <QVariant>

class RecordingRecipeServices : public FakeFrameServices,
                                public RecipeViewServices,
                                public ProcessExplorerServices,
                                public ProcessOperationService {
public:
    RecordingRecipeServices();

    void SetProgressStep(int step) override { record(QString("SetProgressStep %1").arg(step)); }
    void StepProgress() override { record("StepProgress"); }
    void ReloadRecipeViews(long stepID) override { record(QString("ReloadRecipeViews %1").arg(stepID)); }
    void ReloadAllRecipeViews() override { record("ReloadAllRecipeViews"); }
    void RefreshKeepSelection() override { record("RefreshKeepSelection"); }
    bool ProcessOperation(long stepID, long operationID) override
    {
        record(QString("ProcessOperation %1 %2").arg(stepID).arg(operationID));
        return true;
    }
    void ResetStepWiseCache() override { record("ResetStepWiseCache"); }

private:
    ServiceInstallations m_installed;
};

class RecipeTextFixture : public ::testing::Test {
protected:
    void TearDown() override { EXPECT_TRUE(prompts.allAnswersUsed()); }
    // Writes the project and opens it; steps in `unopened` get no registered database.
    void Open(const ProjectSpec& spec, const QList<long>& unopened = {});
    void OpenDemo() { Open(CProjectGenerator::DemoProject()); }
    void EditStep(long stepID, const QString& sql, const QVariantList& values = {});
    QVariant StepValue(long stepID, const QString& sql, const QVariantList& values = {});
    // The ids of the step's recipe rows of that type, in recipe order.
    QList<long> RecipeIDs(long stepID, const QString& type);
    // "ProcessOperation <step> <id>" for each operation of the step, in recipe order.
    QStringList ProcessedOperations(long stepID);

    FakeAppContext app;
    ScriptedPromptService prompts;
    RecordingRecipeServices services;
};

// The Demo's first step; it belongs to both processes.
