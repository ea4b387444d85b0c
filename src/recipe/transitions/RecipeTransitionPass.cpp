#include "recipe/transitions/RecipeTransitionPass.h"

#include "recipe/transitions/LevelTransitions.h"
#include "recipe/transitions/RecipeKeywords.h"
#include "recipe/transitions/RecipeLevels.h"
#include "recipe/transitions/RecipeStructureCheck.h"

namespace {

void appendSequences(const Array<RecipeRow>& rows, QList<OperationSequence>& sequences)
{
    for (const RecipeRow& row : rows) {
        if (IsRecipeType(row.Type, OPERATION_TYPE))
            sequences.append({row.ID, row.UPNumber, row.OPNumber});
    }
}

} // namespace

bool BuildRecipeTransitions(const Array<RecipeRow>& rows, long stepID, const RecipeStartIDs& starts,
                            const TransitionIdMaker& newID, RecipeTransitions& out,
                            StructureCheckResult& result)
{
    CRecipeStructureCheck check(rows);
    if (!check.CheckStep(result))
        return false;
    const RecipeLevels levels = SplitRecipeLevels(rows, check.Pairs());
    CLevelTransitions unitLevel(UNIT_PROCEDURE_TYPE, levels.unitProcedures, stepID, starts.unitProcedure,
                                newID);
    if (!unitLevel.Build(out.unitProcedures, result))
        return false;
    for (const OperationLevel& level : levels.operations) {
        CLevelTransitions operationLevel(OPERATION_TYPE, level.rows, level.unitProcedureID, starts.operation,
                                         newID);
        if (!operationLevel.Build(out.operations, result))
            return false;
        appendSequences(level.rows, out.sequences);
    }
    return true;
}

StructureCheckResult CheckRecipeStructure(const Array<RecipeRow>& rows)
{
    const TransitionIdMaker noID = [] { return QString(); };
    RecipeTransitions transitions;
    StructureCheckResult result;
    BuildRecipeTransitions(rows, -1, {}, noID, transitions, result);
    return result;
}
