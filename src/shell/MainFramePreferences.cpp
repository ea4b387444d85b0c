// The frame's side of the preferences: the hub's command and what follows its close, and the two
// preference requests the hub hands to the frame.

#include "shell/MainFrame.h"

#include "foundation/common/BusyGuard.h"
#include "foundation/common/MessageBox.h"
#include "foundation/common/PathHelpers.h"
#include "foundation/common/ServiceSlot.h"
#include "foundation/common/concerns/AppContext.h"
#include "foundation/common/concerns/SubsystemConcerns.h"
#include "modules/qvsop/QVSOPEntry.h"
#include "modules/visdgrm/VisInstance.h"

#include <QFileInfo>
#include <optional>
#include <QMdiArea>
#include <QMdiSubWindow>

namespace {

struct DiagramResultChoice {
    QString fileName; // empty: no file chosen
    QString message;  // shown when the file is missing; empty: the general one
};

DiagramResultChoice StepDiagramResult(long stepID)
{
    if (stepID <= 0)
        return {};
    return {QStringLiteral("Qvstep_%1.mdb").arg(stepID), QStringLiteral("Please simulate the step first.")};
}

// The result file of the context, as the frame's selection gives it; nullopt: not a context that has one.
std::optional<DiagramResultChoice> DiagramResultOfContext(const ContextRecord& context)
{
    const int kind = context.kind;
    if (kind == CONTEXT_PROCESS_EXPLORER) {
        if (context.processNodeSelected && context.processID > 0)
            return DiagramResultChoice{QStringLiteral("Qvproc_%1.mdb").arg(context.processID),
                                       QStringLiteral("Please simulate the process first.")};
        return StepDiagramResult(context.stepID);
    }
    const bool planContext = kind == CONTEXT_GANTT || kind == CONTEXT_3D_VIEW || kind == CONTEXT_PLAN_EXPLORER;
    if (planContext && context.planID > 0)
        return DiagramResultChoice{QStringLiteral("Qvplan_%1.mdb").arg(context.planID),
                                   QStringLiteral("Please simulate the production plan first.")};
    if (kind == CONTEXT_TEXT_RECIPE || kind == CONTEXT_GANTT || kind == CONTEXT_3D_VIEW ||
        kind == CONTEXT_QUICK_RESULTS)
        return StepDiagramResult(context.stepID);
    if (kind == CONTEXT_PLAN_EXPLORER)
        return DiagramResultChoice{};
    return std::nullopt;
}

} // namespace

// Nothing while no project is open or a run holds the program. After the hub: the managed side
// hears of the change, the chemistry document re-reads its preferences when its environment is
// current, and saved rounding rules regenerate the recipe text of every step.
void CMainFrame::OnPreferences()
{
    if (!IsProjectOpen() || IsBusy() || !m_preferenceHub)
        return;
    const bool roundingSaved = m_preferenceHub(this);
    DotNetNotifyPreferencesUpdate();
    if (m_environmentMngr.GetCurrentEnvironmentID() == CEnvironmentMngr::CHEMISTRY_ENVIRONMENT) {
        QMdiSubWindow* active = m_mdiArea->activeSubWindow();
        ChemistryOnFilePreferences(active ? active->widget() : nullptr);
    }
    if (roundingSaved) {
        WaitForUpdateDatabase();
        UpdateRecipeTextOfAllSteps();
    }
}

void CMainFrame::EditOperatingInstructionPreferences()
{
    QVSOPEntry* entry = ServiceSlot<QVSOPEntry>::Get();
    if (!entry)
        return;
    entry->preferOperatingInstructions();
    RefreshStepPanes();
}

void CMainFrame::ShowEquipmentDiagramPreferences()
{
    const std::optional<DiagramResultChoice> choice = DiagramResultOfContext(RefreshContext());
    if (!choice)
        return;
    const QString projectFolder = GetProjectDir();
    const QString found =
        choice->fileName.isEmpty() ? QString() : FindFileNoCase(projectFolder, choice->fileName);
    if (found.isEmpty()) {
        QvMessageBox(choice->message.isEmpty() ? QStringLiteral("Please create/select, and simulate first!")
                                               : choice->message);
        return;
    }
    VisInstance diagram;
    diagram.InitEquipmentPreferences(projectFolder, QFileInfo(found).fileName(), GetInstallDir());
}
