#pragma once
// A checked recipe split into its levels: the unit-procedure level (unit procedures and the
// blocks around them) and, for each unit procedure, the rows of its operations.

#include "foundation/common/Array.h"
#include "recipe/transitions/RecipeRow.h"

#include <vector>

struct OperationLevel {
    long unitProcedureID;
    Array<RecipeRow> rows;
};

struct RecipeLevels {
    Array<RecipeRow> unitProcedures;
    std::vector<OperationLevel> operations; // in recipe order
};

// pairs: each Start's End and back, as the step-level check matched them.
RecipeLevels SplitRecipeLevels(const Array<RecipeRow>& rows, const std::vector<long>& pairs);
