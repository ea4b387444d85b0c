#include "foundation/db/step/RecipeItemIDs.h"

#include "foundation/db/recordsets/BulkRows.h"

namespace {
// Both maxima come from the tables' keys, a lookup each however long the recipe.
const char* const NEXT_ITEM_ID = "SELECT MAX(COALESCE((SELECT MAX(UnitProcedureID) FROM UnitProcedure), 0),"
                                 " COALESCE((SELECT MAX(OperationID) FROM Operation), 0)) + 1";
} // namespace

long NextRecipeItemID(CDaoDatabase& step)
{
    long id = 1;
    ExecKept(step, QStringLiteral("UnitProcedure"), QString::fromLatin1(NEXT_ITEM_ID), {},
             [&id](KeptResult& row) {
                 if (row.next())
                     id = long(row.value(0).toLongLong());
             });
    return id;
}
