// The two constraint dialogs of the selected line: Start-After constraints of a unit procedure or
// an operation, and the delay of a parallel block; the engine hears of every operation they change.

#include "foundation/common/concerns/AppContext.h"
#include "foundation/common/concerns/FrameServices.h"
#include "foundation/common/concerns/SubsystemConcerns.h"
#include "modules/engine/EngineEntry.h"
#include "modules/opdialog/ConstraintDialogs.h"
#include "modules/sharedclasses/SharedParallelBlockStructure.h"
#include "modules/sharedclasses/SharedTextRecipeFunctions.h"
#include "recipe/view/QuorvantaView.h"
#include "recipe/view/RecipeButton.h"

namespace {
void OperationModifiedInEngine(long stepID, long operationID)
{
    if (EngineEntry* engine = GetEngineEntry())
        engine->operationModified(stepID, operationID, 1);
}
} // namespace

void CQUORVANTAView::EditStartAfterConstraints()
{
    const CRecipeButton* line = GetFirstSelectedLine();
    if (!line || m_document.stepID < 0)
        return;
    const long stepID = m_document.stepID;
    if (line->GetItemType() == RECIPE_LINE_UNIT_PROCEDURE) {
        if (OPDialogUnitProcedureConstraints(GetProjectFilePath(), stepID, line->GetButtonID()) != 0)
            RefreshStepPanes();
        const long first = CSharedTextRecipeFunctions::getFirstOperationInUnitProcedure(stepID, line->GetButtonID());
        if (first > -1)
            OperationModifiedInEngine(stepID, first);
    } else if (line->GetItemType() == RECIPE_LINE_OPERATION) {
        if (OPDialogOperationConstraints(GetProjectFilePath(), stepID, line->GetButtonID()) == 0)
            return;
        OperationModifiedInEngine(stepID, line->GetButtonID());
        RefreshStepPanes();
    }
}

void CQUORVANTAView::EditParallelBlockConstraints()
{
    const CRecipeButton* line = GetFirstSelectedLine();
    if (!line || m_document.stepID < 0)
        return;
    const long stepID = m_document.stepID;
    long block = IsStartParallelSelected() ? line->GetButtonID() : -1;
    if (block < 0 && line->GetItemType() == RECIPE_LINE_OPERATION)
        block = CSharedParallelBlockStructure(stepID).getParallelBlockID(line->GetButtonID());
    if (block < 0 || OPDialogParallelBlockDelay(GetProjectFilePath(), stepID, block) == 0)
        return;
    RefreshStepPanes();
    const CSharedParallelBlockStructure blocks(stepID);
    for (long operationID : blocks.getParallelOperationSet(block))
        OperationModifiedInEngine(stepID, operationID);
}
