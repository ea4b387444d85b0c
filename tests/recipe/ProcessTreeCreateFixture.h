#pragma once
// The Process Explorer over the Demo with what its create and edit commands reach: the process and
// step dialogs answered by script, the step registry, the project-open flag, the step panes, the
// engine, the automation model and the recipe documents, all recording.

#include "ProcessTreeFixture.h"

#include "foundation/common/concerns/FrameServices.h"
#include "foundation/common/concerns/ProjectControl.h"
#include "modules/addnew/AddNewDialogService.h"
#include "modules/engine/EngineEntry.h"
#include "projects/StepRegistration.h"

#include <functional>

// Each call takes the next scripted answer: it fills the form and says whether it was saved.
class ScriptedAddNewDialogs : public AddNewDialogService {
public:
    using ProcessAnswer = std::function<bool(ProcessForm&)>;
    using StepAnswer = std::function<bool(StepForm&)>;
    bool AskProcess(ProcessForm& form) override;
    bool AskStep(StepForm& form) override;

    QList<ProcessAnswer> processAnswers;
    QList<StepAnswer> stepAnswers;
    QList<ProcessForm> processAsked; // the forms as offered
    QList<StepForm> stepAsked;
};

class CreateEditConcerns : public ProjectControl,
                           public PaneServices,
                           public EngineHost,
                           public AutomationModel,
                           public RecipeViewServices,
                           public EngineEntry {
public:
    bool IsProjectOpen() const override { return projectOpen; }
    void RefreshStepPanes() override { calls << "panes"; }
    EngineEntry* GetEngineEntry() const override { return const_cast<CreateEditConcerns*>(this); }
    void stepModified(long stepID) override { calls << QStringLiteral("stepModified %1").arg(stepID); }
    void BuildAutomationModel() override { calls << "build automation"; }
    void RefreshAutomationModel(long stepID) override { calls << QStringLiteral("refresh automation %1").arg(stepID); }
    void ReloadAllRecipeViews() override { calls << "reload views"; }
    void UpdateRecipeWindowTitle(long stepID, const QString& title) override
    {
        calls << QStringLiteral("retitle %1 %2").arg(stepID).arg(title);
    }
    void SetRecipeItemText(long stepID, long itemID, int itemType, const QString& text) override
    {
        calls << QStringLiteral("line %1 %2 %3 %4").arg(stepID).arg(itemID).arg(itemType).arg(text);
    }

    bool projectOpen = true;
    QStringList calls;
};

class ProcessTreeCreateFixture : public ProcessTreeFixture {
protected:
    ProcessTreeCreateFixture();
    // The Demo opened as the program opens it: working copies registered from the working-copy folder.
    void OpenProject(const ProjectSpec& spec = CProjectGenerator::DemoProject());
    // Outline lines of the processes and steps only.
    QStringList Steps() const { return Outline(2); }
    // "process:step:order" rows of [Step-To-Process] in process and step order.
    QString StepRows();
    long ProjectLong(const QString& sql);
    void AnswerProcess(const QString& name, const QString& version, const QString& description = QString());
    void AnswerNewStep(const QString& name, const QString& version, long facilityID = -1);
    void AnswerLink(long stepID);
    void AnswerCancel();
    QString StepFilePath(long stepID) const;

    ScriptedAddNewDialogs dialogs;
    CreateEditConcerns concerns;
    CStepRegistration registration{app.stepDatabases()};
    ServiceInstallations installed;
};
