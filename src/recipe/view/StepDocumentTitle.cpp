#include "recipe/view/StepDocumentTitle.h"

#include "foundation/common/ServiceSlot.h"
#include "foundation/common/concerns/DocumentHost.h"
#include "foundation/common/concerns/RecipeDocument.h"
#include "foundation/db/step/StepLabelSet.h"

#include <QWidget>

bool UpdateStepTitleInDocuments(long stepID)
{
    CStepLabelSet step;
    if (!step.OpenSet(stepID) || step.GetRecordCount() == 0)
        return false;
    const QString title =
        step.GetText(QStringLiteral("StepName")) + " (" + step.GetText(QStringLiteral("StepVersionName")) + ")";
    const long facilityID = step.GetLong(QStringLiteral("PlantID"));
    const DocumentHost* host = ServiceSlot<DocumentHost>::Get();
    for (const HostedDocument& document : host ? host->ListDocuments(DocumentKind::ProjectRecipe) : QList<HostedDocument>()) {
        auto* recipe = dynamic_cast<RecipeDocument*>(document.window);
        if (recipe && recipe->identity().stepID == stepID) {
            recipe->identity().stepTitle = title;
            recipe->identity().facilityID = facilityID;
        }
    }
    return true;
}
