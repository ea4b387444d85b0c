// The pane's commands: which it decides, and the Text Recipe command, which opens one recipe
// window per step of the selection.

#include "recipe/explorer/ProcessTree.h"

#include "foundation/common/CommandIds.h"
#include "foundation/common/MessageBox.h"
#include "foundation/common/ServiceSlot.h"
#include "foundation/common/concerns/DocumentHost.h"
#include "foundation/common/concerns/RecipeDocument.h"
#include "foundation/db/project/ProcessStepSet.h"
#include "foundation/db/step/StepLabelSet.h"

#include <QTreeWidget>

bool CProcessTree::HandlesCommand(int commandID) const
{
    switch (commandID) {
    case ID_PROCESS_NEW_PROCESS:
    case ID_PROCESS_NEW_STEP:
    case ID_PROCESS_DELETE:
    case ID_PROCESS_TEXT_RECIPE:
    case ID_PROCESS_INFORMATION:
    case ID_PROCESS_MOVE_UP:
    case ID_PROCESS_MOVE_DOWN:
        return true;
    default:
        return false;
    }
}

// Every pane command is built; Route Selection is the frame's.
bool CProcessTree::IsCommandEnabled(int commandID) const
{
    switch (commandID) {
    case ID_PROCESS_NEW_PROCESS:
        return OnUpdateNewProcess();
    case ID_PROCESS_NEW_STEP:
        return OnUpdateNewStep();
    case ID_PROCESS_INFORMATION:
        return OnUpdateInformation();
    case ID_PROCESS_DELETE:
    case ID_PROCESS_MOVE_UP:
    case ID_PROCESS_MOVE_DOWN:
        return isDeleteOrMoveEnabled(commandID);
    default:
        return commandID == ID_PROCESS_TEXT_RECIPE && m_tree->currentItem() != nullptr;
    }
}

void CProcessTree::OnCommand(int commandID)
{
    switch (commandID) {
    case ID_PROCESS_NEW_PROCESS:
        return OnNewProcess();
    case ID_PROCESS_NEW_STEP:
        return OnNewStep();
    case ID_PROCESS_INFORMATION:
        return OnInformation();
    case ID_PROCESS_TEXT_RECIPE:
        return OnTextRecipe();
    default:
        return onDeleteOrMove(commandID);
    }
}

void CProcessTree::OnTextRecipe()
{
    const int kind = GetSelectedItemKind();
    if (kind == KIND_NONE) {
        QvMessageBox(QStringLiteral("Nothing selected!"));
        return;
    }
    if (kind == KIND_EMPTY_PROCESS) {
        QvMessageBox(QStringLiteral("This Process does not contain any steps!"));
        return;
    }
    const ProcessTreeSelection selection = GetTreeSelection();
    const QList<long> steps = stepsToOpen(selection.processID, kind == KIND_PROCESS, selection.stepID);
    for (long stepID : steps) {
        if (!openRecipeWindow(stepID, selection.processID))
            return;
    }
}

// Every step of the process in step order (each once), or the one selected step.
QList<long> CProcessTree::stepsToOpen(long processID, bool wholeProcess, long selectedStep) const
{
    if (!wholeProcess)
        return {selectedStep};
    CProcessStepSet rows;
    if (!rows.OpenSet(processID)) {
        QvMessageBox(QStringLiteral("Can't open step-to-process table!"), MB_OK | MB_ICONERROR);
        return {};
    }
    QList<long> steps;
    for (; !rows.IsEOF(); rows.MoveNext()) {
        const long stepID = rows.GetLong(QStringLiteral("StepID"));
        if (!steps.contains(stepID))
            steps << stepID;
    }
    return steps;
}

// Activates the step's open recipe window or opens one; false ends the command.
bool CProcessTree::openRecipeWindow(long stepID, long processID)
{
    CStepLabelSet step;
    if (!step.OpenSet(stepID)) {
        QvMessageBox(QStringLiteral("Can't open step table to get facility id!"), MB_OK | MB_ICONERROR);
        return false;
    }
    if (step.GetRecordCount() == 0) {
        QvMessageBox(QStringLiteral("Step table is empty!"), MB_OK | MB_ICONERROR);
        return false;
    }
    const QString title = step.GetText(QStringLiteral("StepName")) + " (" +
                          step.GetText(QStringLiteral("StepVersionName")) + ")";
    DocumentHost* host = ServiceSlot<DocumentHost>::Get();
    if (host && host->ActivateDocument(DocumentKind::ProjectRecipe, stepID))
        return true;
    QWidget* window =
        host ? host->OpenDocument(DocumentKind::ProjectRecipe, stepID, "Recipe: " + title) : nullptr;
    auto* document = dynamic_cast<RecipeDocument*>(window);
    if (!document) {
        if (window)
            host->CloseDocument(DocumentKind::ProjectRecipe, stepID);
        QvMessageBox(QStringLiteral("Can't create new recipe text child window!"), MB_OK | MB_ICONERROR);
        return false;
    }
    document->identity() = {m_projectID, processID, title, stepID, step.GetLong(QStringLiteral("PlantID")),
                            true};
    return true;
}
