#include "modules/sharedclasses/SharedTextRecipeFunctions.h"

#include "foundation/common/concerns/AppContext.h"
#include "foundation/db/connection/DaoDatabase.h"
#include "foundation/db/connection/DaoException.h"

#include <QSqlQuery>

long CSharedTextRecipeFunctions::getFirstOperationInUnitProcedure(long stepID, long unitProcedureID)
{
    CDaoDatabase* step = GetStepDatabase(stepID);
    if (!step)
        return -1;
    try {
        QSqlQuery rows = step->Query(QStringLiteral("SELECT ID, Type FROM TextRecipe WHERE StepID = ?"
                                                    " ORDER BY RecipeSequenceNumber, RowKey"),
                                     {qlonglong(stepID)});
        bool inside = false;
        while (rows.next()) {
            const QString type = rows.value(1).toString();
            if (type.compare(QLatin1String("Unit Procedure"), Qt::CaseInsensitive) == 0) {
                if (inside)
                    return -1;
                inside = rows.value(0).toLongLong() == unitProcedureID;
            } else if (inside && type.compare(QLatin1String("Operation"), Qt::CaseInsensitive) == 0) {
                return long(rows.value(0).toLongLong());
            }
        }
    } catch (const CDaoException&) {
    }
    return -1;
}
