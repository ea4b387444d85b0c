// Quick Results of the operation selected in the recipe view.

#include "foundation/common/MessageBox.h"
#include "foundation/common/concerns/SubsystemConcerns.h"
#include "recipe/lines/RecipeLineRecord.h"
#include "recipe/view/QuorvantaView.h"
#include "recipe/view/RecipeButton.h"

bool CQUORVANTAView::IsQuickResultsEnabled() const
{
    const CRecipeButton* line = GetFirstSelectedLine();
    return !(line && line->GetItemType() == RECIPE_LINE_OPERATION && line->line().hidden);
}

void CQUORVANTAView::OnOperationQuickResults()
{
    const long operationID = GetSelectedOperationID();
    if (operationID == -1) {
        QvMessageBox(QStringLiteral("Please select an operation to view quick results!"));
        return;
    }
    ShowQuickResults(stepID(), operationID);
}
