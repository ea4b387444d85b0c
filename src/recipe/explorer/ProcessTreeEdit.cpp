// The pane's Information command (and a double click on an operation): the dialog or editor of
// the selected process, step, unit procedure or operation, then the nodes, documents, windows and
// engine brought in line with what was stored.

#include "recipe/explorer/ProcessTree.h"

#include "foundation/common/MessageBox.h"
#include "foundation/common/WaitCursor.h"
#include "foundation/common/concerns/AppContext.h"
#include "foundation/common/concerns/FacilityExplorer.h"
#include "foundation/common/concerns/FrameServices.h"
#include "foundation/common/concerns/OperationEditorService.h"
#include "foundation/common/concerns/ProcessOperationService.h"
#include "foundation/db/step/OperationSet.h"
#include "foundation/db/step/TextRecipeSet.h"
#include "foundation/db/step/UnitProcedureSet.h"
#include "modules/addnew/AddNewExport.h"
#include "modules/engine/EngineEntry.h"
#include "modules/sharedclasses/QVGlobalParams.h"
#include "recipe/edit/RecipeItemEditors.h"
#include "recipe/view/StepDocumentTitle.h"
#include "results/ResultWindows.h"

#include <QTreeWidget>

namespace {
long EditNodeID(const QTreeWidgetItem* item)
{
    return long(item->data(0, NODE_ID_ROLE).toLongLong());
}

QString EditLabel(const QString& name, const QString& version)
{
    return (name + " (" + version + ")").left(255);
}

// The operation's recipe line as its stored text gives it.
QString OperationLineText(const COperationSet& operation)
{
    const QString recipeText = operation.GetText(QStringLiteral("RecipeText"));
    return recipeText.isEmpty() ? operation.GetText(QStringLiteral("QuorvantaLabel")) + " ..." : recipeText;
}
} // namespace

void CProcessTree::OnInformation()
{
    WaitCursor wait;
    const int kind = GetSelectedItemKind();
    HTREEITEM caret = m_tree->currentItem();
    switch (kind) {
    case KIND_NONE:
        QvMessageBox(QStringLiteral("Nothing selected!"));
        return;
    case KIND_PROCESS:
    case KIND_EMPTY_PROCESS:
        return EditProcess(EditNodeID(caret), caret);
    case KIND_STEP:
    case KIND_EMPTY_STEP:
        return editStep(caret);
    case KIND_UNIT_PROCEDURE:
    case KIND_EMPTY_UNIT_PROCEDURE:
        return editUnitProcedure(caret);
    default:
        return editOperation(caret);
    }
}

void CProcessTree::onNodeDoubleClicked(HTREEITEM item)
{
    if (item && item == m_tree->currentItem() && GetSelectedItemKind() == KIND_OPERATION)
        OnInformation();
}

// A rename that changes only the case relabels too: the node shows what the database holds.
void CProcessTree::EditProcess(long processID, HTREEITEM item)
{
    const QString oldText = item->text(0);
    QString name, version;
    const int saved = CAddNewExport().NewOrEditProcess(processID, nullptr, &name, &version, GetQuorvantaTempDir());
    CommitPendingProjectChange();
    if (!saved)
        return;
    const QString label = EditLabel(name, version);
    if (label != oldText) {
        item->setText(0, label);
        RefreshResultWindows(QStringLiteral("QVPROC"), processID, label);
    }
    RefreshAutomationModel(-1);
    RefreshStepPanes();
    SetProjectModified(true);
}

void CProcessTree::editStep(HTREEITEM item)
{
    const long stepID = EditNodeID(item);
    long processID = -1;
    QString processName, processVersion, stepName, stepVersion;
    if (!processOfSelection(&processID, &processName, &processVersion))
        return;
    const int saved = CAddNewExport().NewOrEditStep(processID, processName, processVersion, stepID, nullptr,
                                                    &stepName, &stepVersion, GetQuorvantaTempDir(), 0, -1);
    if (IsProjectChangePending())
        regenerateStepOperations(stepID); // a failed read ends only this stage
    CommitPendingProjectChange();
    if (!saved)
        return;
    if (EngineEntry* engine = GetEngineEntry())
        engine->stepModified(stepID);
    relabelStep(item, stepID, EditLabel(stepName, stepVersion));
    RefreshAutomationModel(stepID);
    ResetStepSimulation(stepID, QString());
    RefreshStepPanes();
    SetProjectModified(true);
}

void CProcessTree::relabelStep(HTREEITEM item, long stepID, const QString& label)
{
    const QString oldText = item->text(0);
    item->setText(0, label);
    UpdateStepTitleInDocuments(stepID);
    if (label == oldText)
        return;
    UpdateRecipeWindowTitle(stepID, label);
    for (HTREEITEM other = FindNextStepOccurrence(stepID, item->parent(), nullptr); other;
         other = FindNextStepOccurrence(stepID, item->parent(), other->parent()))
        other->setText(0, label);
    RefreshResultWindows(QStringLiteral("QVSTEP"), stepID, label);
}

// Every operation's stored recipe text made again and passed to the open views; false after the
// message when a read fails.
bool CProcessTree::regenerateStepOperations(long stepID)
{
    CTextRecipeSet rows;
    if (!rows.OpenSet(stepID, -1, QStringLiteral("all"))) {
        QvMessageBox(QStringLiteral("Can't open TextRecipe Table to retrieve operation id for updating recipe!"));
        return false;
    }
    ResetStepWiseCache();
    for (; !rows.IsEOF(); rows.MoveNext()) {
        if (rows.GetText(QStringLiteral("Type")) != QLatin1String("Operation"))
            continue;
        const long operationID = rows.GetLong(QStringLiteral("ID"));
        ProcessOperation(stepID, operationID);
        COperationSet operation;
        if (!operation.OpenSet(stepID, operationID)) {
            QvMessageBox(QStringLiteral("Can't open Operation Table to update recipe text view!"));
            return false;
        }
        if (operation.GetRecordCount() == 0) {
            QvMessageBox(QStringLiteral("No such operation in Operation Table!"));
            return false;
        }
        SetRecipeItemText(stepID, operationID, 2, OperationLineText(operation));
    }
    return true;
}

void CProcessTree::editUnitProcedure(HTREEITEM item)
{
    const long stepID = EditNodeID(item->parent());
    const long unitProcedureID = EditNodeID(item);
    if (!m_editUnitProcedure) {
        EditUnitProcedureOfStep(stepID, unitProcedureID); // relabels, refreshes and marks itself
        CommitPendingProjectChange();
        return;
    }
    const bool changed = m_editUnitProcedure(stepID, unitProcedureID);
    if (TestAndClearAppFlag())
        RefreshFacilityTree();
    CommitPendingProjectChange();
    if (changed)
        relabelUnitProcedure(stepID, unitProcedureID);
    afterItemEdit(changed);
}

// The unit procedure's node under every occurrence of the step: its line's label and name.
void CProcessTree::relabelUnitProcedure(long stepID, long unitProcedureID)
{
    CTextRecipeSet row;
    if (!row.OpenSet(stepID, unitProcedureID, QStringLiteral("Unit Procedure"))) {
        QvMessageBox(QStringLiteral("Can't open TextRecipe Table to retrieve info!"));
        return;
    }
    if (row.GetRecordCount() == 0) {
        QvMessageBox(QStringLiteral("Can't find a matching record in TextRecipe Table!"));
        return;
    }
    const QString text = row.GetText(QStringLiteral("Label")) + " " + row.GetText(QStringLiteral("UnitProcedureName"));
    SetUnitProcedureText(stepID, unitProcedureID, text);
}

void CProcessTree::editOperation(HTREEITEM item)
{
    const long stepID = EditNodeID(item->parent()->parent());
    const long operationID = EditNodeID(item);
    long equipmentID = -1;
    if (!lastPrimaryEquipment(stepID, EditNodeID(item->parent()), operationID, &equipmentID))
        return;
    CQVGlobalParams::Instance()->SetParentStepID(stepID);
    CQVGlobalParams::Instance()->SetEditedOpID(operationID);
    ::SetLastPrimaryEquipmentID(equipmentID);
    if (!m_editOperation) {
        EditOperationOfStep(stepID, operationID); // refreshes and marks itself
        CommitPendingProjectChange();
        return;
    }
    const bool changed = m_editOperation(stepID, operationID);
    if (TestAndClearAppFlag())
        RefreshFacilityTree();
    CommitPendingProjectChange();
    afterItemEdit(changed);
}

// -1, or for an operation without recipe text (a new one) its unit procedure's primary equipment;
// false after the message when the operation or its unit procedure cannot be read.
bool CProcessTree::lastPrimaryEquipment(long stepID, long unitProcedureID, long operationID, long* equipmentID)
{
    COperationSet operation;
    if (!operation.OpenSet(stepID, operationID)) {
        QvMessageBox(QStringLiteral("Can't open Operation Table!"));
        return false;
    }
    if (operation.GetRecordCount() == 0) {
        QvMessageBox(QStringLiteral("No such operation in Operation Table!"));
        return false;
    }
    *equipmentID = -1;
    if (!operation.GetText(QStringLiteral("RecipeText")).isEmpty())
        return true;
    CUnitProcedureSet unitProcedure;
    if (!unitProcedure.OpenSet(stepID, unitProcedureID)) {
        QvMessageBox(QStringLiteral("Can't open Unit Procedure table!"));
        return false;
    }
    if (unitProcedure.GetRecordCount() > 0 && !unitProcedure.IsFieldNull(QStringLiteral("PrimaryEquipmentID")))
        *equipmentID = unitProcedure.GetLong(QStringLiteral("PrimaryEquipmentID"));
    return true;
}

void CProcessTree::afterItemEdit(bool changed)
{
    if (!changed)
        return;
    RefreshStepPanes();
    SetProjectModified(true);
}
