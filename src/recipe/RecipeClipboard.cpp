#include "recipe/RecipeClipboard.h"

#include "foundation/common/ServiceSlot.h"

void RecipeClipboard::Clear()
{
    items.clear();
    documentID1 = documentID2 = sourceStepID = sourceFacilityID = -1;
    bUnitProcedures = false;
}

RecipeClipboard* RecipeClipboard::Installed()
{
    return ServiceSlot<RecipeClipboard>::Get();
}
