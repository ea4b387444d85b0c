#include "recipe/edit/RecipeItemEditors.h"

#include "foundation/common/concerns/AppContext.h"
#include "foundation/common/concerns/FacilityExplorer.h"
#include "foundation/common/concerns/FrameServices.h"
#include "foundation/common/MessageBox.h"
#include "foundation/common/concerns/OperationEditorService.h"
#include "foundation/common/concerns/SubsystemConcerns.h"
#include "foundation/common/concerns/ProcessOperationService.h"
#include "foundation/db/connection/DaoDatabase.h"
#include "foundation/db/connection/DaoException.h"
#include "foundation/db/connection/DaoTransaction.h"
#include "modules/engine/EngineEntry.h"
#include "modules/opdialog/OPDialog.h"
#include "modules/sharedclasses/QVGlobalParams.h"
#include "modules/sharedclasses/SharedTextRecipeFunctions.h"
#include "recipe/edit/AutomationRefresh.h"
#include "recipe/lines/RecipeLineRecord.h"
#include "recipe/lines/RecipeLineTexts.h"

#include <QSqlQuery>

namespace {
struct EditedOperation {
    long unitProcedureID = -1;
    bool isNew = false;            // no recipe text yet
    long primaryEquipmentID = -1;  // the unit procedure's, for a new operation
};

void TellEngineOperationModified(long stepID, long operationID)
{
    if (EngineEntry* engine = GetEngineEntry())
        engine->operationModified(stepID, operationID, 1);
}

std::optional<EditedOperation> ReadEditedOperation(long stepID, long operationID)
{
    CDaoDatabase* step = GetStepDatabase(stepID);
    if (!step)
        return std::nullopt;
    QSqlQuery row = step->Query(QStringLiteral("SELECT o.UnitProcedureID, o.RecipeText, u.PrimaryEquipmentID"
                                               " FROM Operation o LEFT JOIN UnitProcedure u"
                                               " ON u.UnitProcedureID = o.UnitProcedureID WHERE o.OperationID = ?"),
                                {qlonglong(operationID)});
    if (!row.next())
        return std::nullopt;
    EditedOperation operation{long(row.value(0).toLongLong()), row.value(1).toString().trimmed().isEmpty(), -1};
    if (operation.isNew && !row.value(2).isNull())
        operation.primaryEquipmentID = long(row.value(2).toLongLong());
    return operation;
}

bool UnitProcedureExists(long stepID, long unitProcedureID)
{
    CDaoDatabase* step = GetStepDatabase(stepID);
    return step && step->Query(QStringLiteral("SELECT 1 FROM UnitProcedure WHERE UnitProcedureID = ?"),
                               {qlonglong(unitProcedureID)})
                       .next();
}

// The managed side's one-shot flags after an editor: the facility flag refreshes the Facility
// Explorer; the reload flag reloads every recipe view and ends the edit (true).
bool TakeEditorFlags()
{
    if (TestAndClearAppFlag())
        RefreshFacilityTree();
    if (!TestAndClearRecipeReloadFlag())
        return false;
    ReloadAllRecipeViews();
    SetProjectModified(true);
    return true;
}

// The operations whose text names the unit procedure's vessel: its own, and those of the unit
// procedures whose contents go to it by the step's transitions (a transfer names where it goes);
// in a step without transitions, those of the unit procedure before it in recipe order.
const char* const OPERATIONS_NAMING_UNIT_SQL =
    "SELECT OperationID FROM Operation WHERE UnitProcedureID = ? OR UnitProcedureID IN"
    " (SELECT FromUnitProcedureID FROM UnitProcedureTransition WHERE ToUnitProcedureID = ?)"
    " OR (NOT EXISTS (SELECT 1 FROM UnitProcedureTransition) AND UnitProcedureID ="
    "  (SELECT p.ID FROM TextRecipe p WHERE p.Type = 'Unit Procedure' AND p.RecipeSequenceNumber <"
    "   (SELECT h.RecipeSequenceNumber FROM TextRecipe h WHERE h.Type = 'Unit Procedure' AND h.ID = ?)"
    "   ORDER BY p.RecipeSequenceNumber DESC LIMIT 1))";

QList<long> OperationsNamingUnitProcedure(CDaoDatabase& step, long unitProcedureID)
{
    QList<long> operations;
    const QVariant id = qlonglong(unitProcedureID);
    QSqlQuery rows = step.Query(QString::fromLatin1(OPERATIONS_NAMING_UNIT_SQL), {id, id, id});
    while (rows.next())
        operations.append(long(rows.value(0).toLongLong()));
    return operations;
}
} // namespace

// After its vessel may have changed, together in one transaction; the names are read again (the
// vessel may be an item made since the last regeneration); the lines follow.
void RegenerateTextsNamingUnitProcedure(long stepID, long unitProcedureID)
{
    CDaoDatabase* step = GetStepDatabase(stepID);
    if (!step || !step->IsOpen())
        return;
    QList<long> operations;
    try {
        operations = OperationsNamingUnitProcedure(*step, unitProcedureID);
        ResetStepWiseCache();
        CDaoTransaction transaction(*step);
        ProcessOperations(stepID, operations);
        transaction.Commit();
    } catch (const CDaoException& error) {
        QvMessageBox(error.GetErrorDescription(), MB_OK | MB_ICONERROR);
    }
    if (!operations.isEmpty())
        ReloadRecipeLines(stepID, operations, RECIPE_LINE_OPERATION);
}

namespace {
void AfterUnitProcedureEdit(long stepID, long unitProcedureID)
{
    RegenerateTextsNamingUnitProcedure(stepID, unitProcedureID);
    const long first = CSharedTextRecipeFunctions::getFirstOperationInUnitProcedure(stepID, unitProcedureID);
    if (first > -1)
        TellEngineOperationModified(stepID, first);
    RefreshAutomationUnitProcedure(-1, stepID, unitProcedureID);
    SetProjectModified(true);
    if (RecipeLineRecord line; ReadRecipeLineTexts(stepID, unitProcedureID, RECIPE_LINE_UNIT_PROCEDURE, line))
        SetUnitProcedureText(stepID, unitProcedureID, line.label + QLatin1Char(' ') + line.unitProcedureName);
    ReloadRecipeLine(stepID, unitProcedureID, RECIPE_LINE_UNIT_PROCEDURE);
    RefreshStepPanes();
}

void AfterOperationEdit(long stepID, long unitProcedureID, long operationID)
{
    TellEngineOperationModified(stepID, operationID);
    RefreshAutomationOperation(-1, stepID, unitProcedureID, operationID);
    ReloadRecipeLine(stepID, operationID, RECIPE_LINE_OPERATION);
    RefreshStepPanes();
}

bool SameLineTexts(const RecipeLineRecord& a, const RecipeLineRecord& b)
{
    return a.displayText == b.displayText && a.commentText == b.commentText && a.rangeText == b.rangeText;
}
} // namespace

RecipeItemEdit RunUnitProcedureEditor(long stepID, long unitProcedureID)
{
    if (!UnitProcedureExists(stepID, unitProcedureID))
        return RecipeItemEdit::Unchanged;
    QString newName;
    const bool changed = CreateUnitProcedure(GetQuorvantaTempDir(), GetProjectFilePath(), stepID, unitProcedureID,
                                             nullptr, &newName, false);
    if (TakeEditorFlags())
        return RecipeItemEdit::Reloaded;
    if (!changed)
        return RecipeItemEdit::Unchanged;
    AfterUnitProcedureEdit(stepID, unitProcedureID);
    return RecipeItemEdit::Changed;
}

RecipeItemEdit RunOperationEditor(long stepID, long operationID)
{
    const std::optional<EditedOperation> operation = ReadEditedOperation(stepID, operationID);
    RecipeLineRecord before;
    if (!operation || !ReadRecipeLineTexts(stepID, operationID, RECIPE_LINE_OPERATION, before))
        return RecipeItemEdit::Unchanged;
    SetLastPrimaryEquipmentID(operation->primaryEquipmentID);
    CQVGlobalParams::Instance()->SetParentStepID(stepID);
    CQVGlobalParams::Instance()->SetEditedOpID(operationID);
    QString comments;
    const std::optional<QString> text = DotNetInvokeOperationDialog(stepID, operationID, &comments);
    if (TakeEditorFlags())
        return RecipeItemEdit::Reloaded;
    SetProjectModified(true);
    if (!text || text->isEmpty())
        return RecipeItemEdit::Unchanged;
    AfterOperationEdit(stepID, operation->unitProcedureID, operationID);
    RecipeLineRecord after;
    const bool read = ReadRecipeLineTexts(stepID, operationID, RECIPE_LINE_OPERATION, after);
    return read && !SameLineTexts(before, after) ? RecipeItemEdit::Changed : RecipeItemEdit::Unchanged;
}

bool EditUnitProcedureOfStep(long stepID, long unitProcedureID)
{
    return RunUnitProcedureEditor(stepID, unitProcedureID) == RecipeItemEdit::Changed;
}

bool EditOperationOfStep(long stepID, long operationID)
{
    return RunOperationEditor(stepID, operationID) == RecipeItemEdit::Changed;
}
