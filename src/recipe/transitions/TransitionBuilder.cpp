#include "recipe/transitions/TransitionBuilder.h"

#include "foundation/common/MessageBox.h"
#include "foundation/common/concerns/AppContext.h"
#include "foundation/db/connection/DaoException.h"
#include "foundation/db/connection/DaoTransaction.h"
#include "foundation/db/step/OpTransition.h"
#include "foundation/db/step/STARTOperation.h"
#include "foundation/db/step/STARTUnitProcedure.h"
#include "foundation/db/step/TextRecipeSet.h"
#include "foundation/db/step/UPTransition.h"
#include "recipe/transitions/LevelTransitions.h"
#include "recipe/transitions/RecipeTransitionPass.h"

namespace {

const QString TEXT_RECIPE_NOT_OPEN = QStringLiteral("Can't open TextRecipe Table to build the transitions!");

// The recipe read for a build: a failure to open is the build's own message, not the layer's.
class CBuildTextRecipeSet : public CTextRecipeSet {
public:
    CBuildTextRecipeSet() { SetErrorMode(DaoErrorMode::Quiet); }
};

bool readVisibleRows(long stepID, Array<RecipeRow>& rows)
{
    CBuildTextRecipeSet set;
    if (!set.OpenSet(stepID, -1, QStringLiteral("all")))
        return false;
    for (; !set.IsEOF(); set.MoveNext()) {
        if (set.GetBool("Hide"))
            continue;
        rows.Add({set.GetText("Label"), set.GetLong("UPNumber"), set.GetLong("OPNumber"),
                  set.GetShort("Indent"), set.GetLong("ID"), set.GetText("Type")});
    }
    return true;
}

// The single id a START query answers; 1 when it answers none.
template <typename StartSet> long readStartID(long stepID, const QString& column)
{
    StartSet set;
    if (!set.OpenSet(stepID) || set.IsEOF() || set.IsFieldNull(column))
        return 1;
    return set.GetLong(column);
}

QList<QVariantList> unitProcedureRows(long stepID, const Array<TransitionRecord>& transitions)
{
    QList<QVariantList> rows;
    rows.reserve(transitions.GetSize());
    for (const TransitionRecord& t : transitions)
        rows.append(
            {t.TransitionID, qlonglong(t.FromID), qlonglong(t.ToID), qlonglong(stepID), t.TransitionType});
    return rows;
}

void writeUnitProcedureTransitions(long stepID, const Array<TransitionRecord>& transitions)
{
    CUPTransition set;
    if (!set.OpenSet(stepID))
        throw CDaoException(QStringLiteral("The step database is not open."));
    set.ReplaceAll(unitProcedureRows(stepID, transitions));
}

// The sequence numbers of the levels that passed stay written when a later level fails.
void keepSequenceNumbers(long stepID, const QList<OperationSequence>& sequences)
{
    CDaoDatabase* step = GetStepDatabase(stepID);
    if (!step || sequences.isEmpty())
        return;
    try {
        CDaoTransaction transaction(*step);
        WriteOperationSequenceNumbers(*step, sequences);
        transaction.Commit();
    } catch (const CDaoException& error) {
        QvMessageBox(error.GetErrorDescription(), MB_OK | MB_ICONEXCLAMATION);
    }
}

bool writeStepTables(long stepID, const RecipeTransitions& built)
{
    CDaoDatabase* step = GetStepDatabase(stepID);
    try {
        if (!step)
            throw CDaoException(QStringLiteral("The step database is not open."));
        CDaoTransaction transaction(*step);
        WriteOperationSequenceNumbers(*step, built.sequences);
        writeUnitProcedureTransitions(stepID, built.unitProcedures);
        CTransitionBuilder::WriteOperationTransitions(stepID, built.operations);
        transaction.Commit();
        return true;
    } catch (const CDaoException& error) {
        QvMessageBox(error.GetErrorDescription(), MB_OK | MB_ICONEXCLAMATION);
        return false;
    }
}

} // namespace

bool CTransitionBuilder::BuildStepTransitions(long stepID, Array<TransitionRecord>& unitProcedureTransitions,
                                              Array<TransitionRecord>& operationTransitions, bool,
                                              const QString&, long, long)
{
    Array<RecipeRow> rows;
    if (!readVisibleRows(stepID, rows)) {
        QvMessageBox(TEXT_RECIPE_NOT_OPEN, MB_OK | MB_ICONEXCLAMATION);
        return false;
    }
    const RecipeStartIDs starts{readStartID<CSTARTUnitProcedure>(stepID, QStringLiteral("UnitProcedureID")),
                                readStartID<CSTARTOperation>(stepID, QStringLiteral("OperationID"))};
    RecipeTransitions built;
    StructureCheckResult result;
    const bool passed = BuildRecipeTransitions(rows, stepID, starts, FreshTransitionIds(), built, result);
    unitProcedureTransitions = built.unitProcedures;
    operationTransitions = built.operations;
    if (!passed) {
        keepSequenceNumbers(stepID, built.sequences);
        result.Show();
        return false;
    }
    result.Show();
    return writeStepTables(stepID, built);
}

long CTransitionBuilder::BuildLevelTransitions(const QString& kind, Array<RecipeRow> rows, long, long ownerID,
                                               long startID, Array<TransitionRecord>& out,
                                               StructureCheckResult& result)
{
    CLevelTransitions level(kind, rows, ownerID, startID, FreshTransitionIds());
    return level.Build(out, result) ? 1 : 0;
}

void CTransitionBuilder::WriteOperationTransitions(long stepID, const Array<TransitionRecord>& transitions)
{
    QList<QVariantList> rows;
    rows.reserve(transitions.GetSize());
    for (const TransitionRecord& t : transitions)
        rows.append(
            {qlonglong(t.FromID), qlonglong(t.ToID), qlonglong(t.OwnerID), t.TransitionType, t.TransitionID});
    COpTransition set;
    if (!set.OpenSet(stepID))
        throw CDaoException(QStringLiteral("The step database is not open."));
    set.ReplaceAll(rows);
}
