#include "recipe/RecipeItemEditors.h"

// Placeholders until the editors are wired: nothing is edited.
bool EditUnitProcedureOfStep(long /*stepID*/, long /*unitProcedureID*/) { return false; }
bool EditOperationOfStep(long /*stepID*/, long /*operationID*/) { return false; }
