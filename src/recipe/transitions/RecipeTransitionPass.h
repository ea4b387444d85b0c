#pragma once
// The whole structure check of a step's visible recipe rows with the transitions it yields:
// the step-level rules, then the unit-procedure level, then each unit procedure's operations.
// Pure: it reads and writes no database, so the check also runs on its own.

#include "foundation/common/Array.h"
#include "foundation/db/step/OperationSequenceNumbers.h"
#include "recipe/transitions/RecipeRow.h"
#include "recipe/transitions/StructureCheckResult.h"
#include "recipe/transitions/TransitionRecord.h"

#include <QList>

struct RecipeStartIDs {
    long unitProcedure = 1;
    long operation = 1;
};

struct RecipeTransitions {
    Array<TransitionRecord> unitProcedures;
    Array<TransitionRecord> operations;
    // The recipe position of every operation of the operation levels that passed, in order.
    QList<OperationSequence> sequences;
};

// False at the first failing rule; what passed before it stays in `out`.
bool BuildRecipeTransitions(const Array<RecipeRow>& rows, long stepID, const RecipeStartIDs& starts,
                            const TransitionIdMaker& newID, RecipeTransitions& out,
                            StructureCheckResult& result);

// The check alone (the transitions it yields get no ids and are dropped).
StructureCheckResult CheckRecipeStructure(const Array<RecipeRow>& rows);
