#pragma once
// The step-level block rules of a text recipe, over all its visible rows in recipe order: every
// Start is followed by a Series and has its End; a block of unit procedures ends a unit procedure;
// a block of operations stays within one. The matching of Starts and Ends found here also splits
// the recipe into levels.

#include "foundation/common/Array.h"
#include "recipe/transitions/RecipeRow.h"
#include "recipe/transitions/StructureCheckResult.h"

#include <vector>

class CRecipeStructureCheck {
public:
    explicit CRecipeStructureCheck(const Array<RecipeRow>& rows);

    // The rules in order; false at the first that fails, its message in the result.
    bool CheckStep(StructureCheckResult& result);
    // For each Start its End's index and back; -1 for every other row.
    const std::vector<long>& Pairs() const { return m_pair; }

private:
    bool PairBlocks(const QString& start, const QString& end, const QString& followMessage,
                    StructureCheckResult& result);
    bool CheckUnitProcedureBlocks(StructureCheckResult& result) const;
    bool CheckOperationBlocks(StructureCheckResult& result) const;
    bool IsType(long index, const QString& type) const;

    const Array<RecipeRow>& m_rows;
    std::vector<long> m_pair;
};
