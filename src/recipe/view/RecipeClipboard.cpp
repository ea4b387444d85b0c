#include "recipe/view/RecipeClipboard.h"

#include "foundation/common/ServiceSlot.h"
#include "foundation/common/concerns/AppContext.h"
#include "foundation/db/connection/DaoDatabase.h"

#include <QSqlQuery>

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

long RecipeClipboard::StepFacilityID(long stepID)
{
    CDaoDatabase* step = GetStepDatabase(stepID);
    if (!step)
        return -1;
    QSqlQuery row = step->Query(QStringLiteral("SELECT PlantID FROM Step WHERE StepID = ?"), {qlonglong(stepID)});
    return row.next() && !row.value(0).isNull() ? long(row.value(0).toLongLong()) : -1;
}
