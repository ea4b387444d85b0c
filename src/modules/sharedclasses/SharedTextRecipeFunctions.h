#pragma once
// Questions about a step's text recipe answered from its TextRecipe rows.

class CSharedTextRecipeFunctions {
public:
    // The first operation after the unit procedure's row, before the next unit procedure; -1 when
    // it has none or the recipe cannot be read.
    static long getFirstOperationInUnitProcedure(long stepID, long unitProcedureID);
};
