#include "modules/qvdataio/InterfaceTextRecipe.h"

#include "foundation/common/concerns/AppContext.h"
#include "foundation/db/connection/DaoDatabase.h"
#include "foundation/db/connection/DaoException.h"

#include <QSqlQuery>

bool CInterfaceTextRecipe::getAllRecipeData(long stepID, long itemID, const QString& type,
                                            QList<CDataExchangeTextRecipe>& rows)
{
    rows.clear();
    CDaoDatabase* step = GetStepDatabase(stepID);
    if (!step)
        return false;
    try {
        rows = ReadTextRecipeRows(*step, stepID);
    } catch (const CDaoException&) {
        return false;
    }
    if (itemID != -1 || type.compare(QLatin1String("all"), Qt::CaseInsensitive) != 0)
        rows.removeIf([&](const CDataExchangeTextRecipe& row) {
            return row.ID != itemID || row.Type.compare(type, Qt::CaseInsensitive) != 0;
        });
    return true;
}

bool CInterfaceTextRecipe::getStepName(long stepID, QString& name)
{
    return readStepColumn(stepID, "StepName", name);
}

bool CInterfaceTextRecipe::getStepVersionName(long stepID, QString& versionName)
{
    return readStepColumn(stepID, "StepVersionName", versionName);
}

bool CInterfaceTextRecipe::readStepColumn(long stepID, const char* column, QString& value)
{
    CDaoDatabase* step = GetStepDatabase(stepID);
    if (!step)
        return false;
    try {
        QSqlQuery record =
            step->Query(QStringLiteral("SELECT %1 FROM Step WHERE StepID = ?").arg(QLatin1String(column)),
                        {qlonglong(stepID)});
        if (!record.next())
            return false;
        value = record.value(0).toString();
        return true;
    } catch (const CDaoException&) {
        return false;
    }
}
