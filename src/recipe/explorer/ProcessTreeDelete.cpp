// Deleting the selected process, step link, unit procedure or operation. The questions come first,
// the rows go in one transaction, and the tree, the windows and the panes follow the commit; a
// failed write leaves the files as they were and rebuilds the tree from them.

#include "recipe/explorer/ProcessTree.h"

#include "foundation/common/CommandIds.h"
#include "foundation/common/MessageBox.h"
#include "foundation/common/ServiceSlot.h"
#include "foundation/common/concerns/AppContext.h"
#include "foundation/common/concerns/FrameServices.h"
#include "foundation/common/concerns/LinkedWindows.h"
#include "foundation/common/concerns/SelectionContext.h"
#include "foundation/common/concerns/StreamServices.h"
#include "foundation/db/project/ProcessToProjectSet.h"
#include "foundation/db/project/StepToProcessSet.h"
#include "modules/engine/EngineEntry.h"
#include "recipe/edit/StagedTransaction.h"
#include "recipe/explorer/ProcessStepWriter.h"
#include "recipe/lines/RecipeLineRecord.h"
#include "recipe/view/RecipeItemDelete.h"

#include <QTreeWidget>

namespace {
const char* const STEP_QUERY_FAILURE = "Can't open query: QryStepToProcessForProcessID to get info!";
const char* const STEP_TABLE_FAILURE = "Can't open step-to-process table!";
const char* const PROCESS_TABLE_FAILURE = "Can't open process table!";

struct ProcessStepLink {
    long stepID = -1;
    long stepOrder = 0;
    bool start = false; // the pseudo-step "START"
};

long DeleteNodeID(const QTreeWidgetItem* item)
{
    return long(item->data(0, NODE_ID_ROLE).toLongLong());
}

bool AskedToDelete(const char* question)
{
    return QvMessageBox(QString::fromLatin1(question), MB_YESNO | MB_ICONQUESTION | MB_DEFBUTTON2) == IDYES;
}

// The process's step links in step order; false when they cannot be read.
bool ReadProcessStepLinks(long processID, QList<ProcessStepLink>& links)
{
    CStepToProcessSet rows;
    if (!rows.OpenSet(processID))
        return false;
    for (; !rows.IsEOF(); rows.MoveNext())
        links.append({rows.GetLong(QStringLiteral("StepID")), rows.GetLong(QStringLiteral("StepOrder")),
                      rows.GetText(QStringLiteral("StepName")).compare(QLatin1String("START"),
                                                                         Qt::CaseInsensitive) == 0});
    return true;
}

void TellEngineStepChanged(long stepID)
{
    if (EngineEntry* engine = GetEngineEntry())
        engine->stepModified(stepID);
}
} // namespace

bool CProcessTree::isDeleteOrMoveEnabled(int commandID) const
{
    if (commandID == ID_PROCESS_MOVE_UP)
        return OnUpdateMoveUp();
    if (commandID == ID_PROCESS_MOVE_DOWN)
        return OnUpdateMoveDown();
    return m_tree->currentItem() != nullptr;
}

void CProcessTree::onDeleteOrMove(int commandID)
{
    if (commandID == ID_PROCESS_DELETE)
        OnDelete();
    else if (commandID == ID_PROCESS_MOVE_UP)
        OnMoveUp();
    else if (commandID == ID_PROCESS_MOVE_DOWN)
        OnMoveDown();
}

// The automation model is rebuilt and the project marked modified also after a No; a delete the
// recipe window did only marks the project.
void CProcessTree::OnDelete()
{
    if (GetSelectedItemKind() == KIND_NONE) {
        QvMessageBox(QStringLiteral("Nothing selected!"));
        return;
    }
    HTREEITEM node = m_tree->currentItem();
    const long id = DeleteNodeID(node);
    bool rebuilt = true;
    if (m_level == LEVEL_PROCESS) {
        DeleteProcess(id, node);
    } else if (m_level == LEVEL_STEP) {
        if (AskedToDelete(GetStepLinkCount(id) == 0 ? "Do you really want to delete this step ?"
                                                    : "Do you really want to delete the link of this step ?"))
            RemoveStepFromProcess(id, DeleteNodeID(node->parent()));
    } else if (m_level == LEVEL_UNIT_PROCEDURE) {
        DeleteUnitProcedure(id, node, &rebuilt);
    } else {
        DeleteOperation(id, node, &rebuilt);
    }
    if (rebuilt)
        BuildAutomationModel();
    SetProjectModified(true);
}

void CProcessTree::DeleteProcess(long processID, HTREEITEM node)
{
    CProcessToProjectSet processes;
    if (!processes.OpenSet())
        return;
    processes.CloseSet();
    if (!AskedToDelete("Do you really want to delete this process ?"))
        return;
    QList<ProcessStepLink> links;
    if (!ReadProcessStepLinks(processID, links)) {
        QvMessageBox(QString::fromLatin1(STEP_QUERY_FAILURE));
        return;
    }
    const auto write = [processID](void (*statement)(CDaoDatabase&, long)) {
        return [processID, statement](CDaoDatabase& project) { statement(project, processID); };
    };
    const bool written =
        CStagedTransaction(GetProjectDatabase())
            .Stage(PROCESS_TABLE_FAILURE, MB_OK | MB_ICONERROR, write(CProcessStepWriter::DeleteProcessLink))
            .Stage(STEP_TABLE_FAILURE, MB_OK | MB_ICONERROR, write(CProcessStepWriter::DeleteStepsOnlyIn))
            .Stage(STEP_QUERY_FAILURE, MB_OK, write(CProcessStepWriter::DeleteStepLinks))
            .Stage(PROCESS_TABLE_FAILURE, MB_OK | MB_ICONERROR, write(CProcessStepWriter::DeleteProcessRow))
            .Commit();
    if (!written) {
        RefreshKeepSelection();
        return;
    }
    delete node;
    QList<long> steps, counts;
    for (const ProcessStepLink& link : std::as_const(links)) {
        if (link.start)
            continue;
        steps << link.stepID;
        counts << GetStepLinkCount(link.stepID);
    }
    afterStepsLeftProcess(processID, steps, counts);
    CloseProcessLinkedWindows(processID);
    RefreshStepPanes();
}

// The windows, icons and counts of steps whose link to the process is gone; counts are the
// steps' extra occurrences before.
void CProcessTree::afterStepsLeftProcess(long processID, const QList<long>& stepIDs, const QList<long>& counts)
{
    for (qsizetype i = 0; i < stepIDs.size(); ++i) {
        const long stepID = stepIDs.at(i);
        CloseStepRecipeWindows(processID, stepID);
        CloseStepLinkedWindows(stepID);
        if (counts.at(i) == 1)
            SetStepLinkedIcon(FindStepItem(stepID), false);
        if (counts.at(i) > 0)
            DecrementStepLinkCount(stepID);
        else if (GetCurrentStep() == stepID)
            SetCurrentStep(-1); // it left the project
        TellEngineStepChanged(stepID);
    }
}

// The rows are read before [ProjectStep] loses the step: the query joins it.
void CProcessTree::RemoveStepFromProcess(long stepID, long processID)
{
    const long count = GetStepLinkCount(stepID);
    QList<ProcessStepLink> links;
    if (!ReadProcessStepLinks(processID, links)) {
        QvMessageBox(QString::fromLatin1(STEP_QUERY_FAILURE));
        return;
    }
    const auto link = std::find_if(links.cbegin(), links.cend(),
                                   [stepID](const ProcessStepLink& row) { return row.stepID == stepID; });
    CStagedTransaction transaction(GetProjectDatabase());
    if (count == 0)
        transaction.Stage(STEP_TABLE_FAILURE, MB_OK | MB_ICONERROR, [=](CDaoDatabase& project) {
            CProcessStepWriter::DeleteStepUnlessLinked(project, stepID, processID);
        });
    if (link != links.cend())
        transaction.Stage(STEP_QUERY_FAILURE, MB_OK, [=, order = link->stepOrder](CDaoDatabase& project) {
            CProcessStepWriter::RemoveStepLink(project, processID, stepID, order);
        });
    if (!transaction.Commit()) {
        RefreshKeepSelection();
        return;
    }
    delete FindChildItem(FindProcessItem(processID), stepID);
    if (count == 1) {
        SetStepLinkedIcon(FindStepItem(stepID), false);
        m_tree->viewport()->update();
    }
    if (count > 0)
        DecrementStepLinkCount(stepID);
    CloseStepRecipeWindows(processID, stepID);
    if (IsSelectionSyncOn())
        SetCurrentStep(-1);
    if (count == 0)
        CloseStepLinkedWindows(stepID);
    TellEngineStepChanged(stepID);
    RefreshStepPanes();
}

void CProcessTree::DeleteUnitProcedure(long unitProcedureID, HTREEITEM node, bool* rebuilt)
{
    const long stepID = DeleteNodeID(node->parent());
    if (IsRecipeWindowOpen(stepID)) {
        if (RecipeViewServices* views = ServiceSlot<RecipeViewServices>::Get())
            views->DeleteItemInRecipeView(stepID, unitProcedureID, RECIPE_LINE_UNIT_PROCEDURE);
        *rebuilt = false;
        return;
    }
    if (!AskedToDelete("This will delete all Operations that belong to this Unit Procedure. Do you really "
                       "want to delete it ?"))
        return;
    deleteRecipeItem(stepID, unitProcedureID, RECIPE_LINE_UNIT_PROCEDURE,
                     QStringLiteral("Can't open TextRecipe Table to delete unit procedure!"));
}

void CProcessTree::DeleteOperation(long operationID, HTREEITEM node, bool* rebuilt)
{
    const long stepID = DeleteNodeID(node->parent()->parent());
    if (IsRecipeWindowOpen(stepID)) {
        if (RecipeViewServices* views = ServiceSlot<RecipeViewServices>::Get())
            views->DeleteItemInRecipeView(stepID, operationID, RECIPE_LINE_OPERATION);
        *rebuilt = false;
        NotifyStreamUpdate(stepID);
        return;
    }
    if (!AskedToDelete("Do you really want to delete this operation ?"))
        return;
    deleteRecipeItem(stepID, operationID, RECIPE_LINE_OPERATION,
                     QStringLiteral("Can't open TextRecipe Table to delete operation!"));
}

// A unit procedure's operations take their streams along: the managed side hears of both deletes.
void CProcessTree::deleteRecipeItem(long stepID, long itemID, int kind, const QString& failure)
{
    const bool written = CRecipeItemDelete::Run(stepID, itemID, kind, failure);
    RefreshKeepSelection();
    if (!written)
        return;
    TellEngineStepChanged(stepID);
    NotifyStreamUpdate(stepID);
    RefreshStepPanes();
}
