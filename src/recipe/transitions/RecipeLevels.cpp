#include "recipe/transitions/RecipeLevels.h"

#include "recipe/transitions/RecipeKeywords.h"

namespace {

bool levelRowIs(const Array<RecipeRow>& rows, long index, const QString& type)
{
    return index < rows.GetSize() && IsRecipeType(rows[index].Type, type);
}

// The last row of the unit procedure's operations: the scan stops at the next unit procedure or
// at a block of unit procedures, and passes over a block of operations whole.
long lastOperationRow(const Array<RecipeRow>& rows, const std::vector<long>& pairs, long unitRow)
{
    long end = unitRow;
    for (long j = unitRow + 1; j < rows.GetSize(); ++j) {
        if (levelRowIs(rows, j, UNIT_PROCEDURE_TYPE))
            break;
        if (levelRowIs(rows, j, OPERATION_TYPE)) {
            end = j;
        } else if (IsBlockStart(rows[j].Type)) {
            if (levelRowIs(rows, j + 2, UNIT_PROCEDURE_TYPE))
                break;
            if (pairs[size_t(j)] > j)
                end = j = pairs[size_t(j)];
        }
    }
    return end;
}

void appendRows(Array<RecipeRow>& into, const Array<RecipeRow>& rows, long first, long last)
{
    for (long i = first; i <= last; ++i)
        into.Add(rows[i]);
}

} // namespace

RecipeLevels SplitRecipeLevels(const Array<RecipeRow>& rows, const std::vector<long>& pairs)
{
    RecipeLevels levels;
    long next = 0; // the first row not yet placed
    for (long u = 0; u < rows.GetSize(); ++u) {
        if (!levelRowIs(rows, u, UNIT_PROCEDURE_TYPE))
            continue;
        appendRows(levels.unitProcedures, rows, next, u);
        const long end = lastOperationRow(rows, pairs, u);
        OperationLevel level{rows[u].ID, {}};
        appendRows(level.rows, rows, u + 1, end);
        levels.operations.push_back(std::move(level));
        next = end + 1;
        u = end;
    }
    appendRows(levels.unitProcedures, rows, next, rows.GetSize() - 1);
    return levels;
}
