#pragma once
// Regenerates the stored recipe text of operations after something it depends on changed (units,
// options, library data, a converted step database): each operation goes through the managed
// process-operation call, which stores its new text.

#include "foundation/common/concerns/SubsystemConcerns.h"

// Every operation of the step, in recipe order, as one transaction on the step database; false
// (after its message) when the step's recipe cannot be read.
bool UpdateRecipeTextOfStep(long stepID);

class CRecipeTextRegenerator : public RecipeTextRegeneration {
public:
    // After a step database was converted while the project opens: the same as UpdateRecipeTextOfStep.
    bool RegenerateStepRecipeText(long stepID) override;
    // Every step of the project with status-bar progress; then every recipe view is reloaded and
    // the project marked modified.
    void UpdateRecipeTextOfAllSteps() override;
    // The names are read again; each step with an operation on the item regenerates those
    // operations in one transaction, and its recipe views are reloaded.
    void UpdateRecipeTextsNamingEquipment(long equipmentID) override;

private:
    bool RegenerateSteps(const QList<long>& stepIDs);
};
