#include "recipe/edit/NonNegativeValues.h"

#include "foundation/common/concerns/AppContext.h"
#include "foundation/db/connection/DaoDatabase.h"
#include "foundation/db/connection/DaoException.h"

#include <QSqlQuery>

namespace {
// The quantity and label of the field type that the row of table names.
QString Refusal(long stepID, const char* table, const char* key, long id, double value)
{
    CDaoDatabase* step = value < 0 ? GetStepDatabase(stepID) : nullptr;
    if (!step || !step->IsOpen())
        return QString();
    const QString sql = QStringLiteral("SELECT l.Quantity, %1 FROM %2 r LEFT JOIN TblFieldLibrary l"
                                       " ON l.FieldTypeID = r.FieldTypeID WHERE r.%3 = ?")
                            .arg(FieldLabelSql(QStringLiteral("r")), QLatin1String(table), QLatin1String(key));
    try {
        QSqlQuery row = step->Query(sql, {qlonglong(id)});
        if (row.next() && IsNonNegativeQuantity(row.value(0).toString()))
            return NegativeValueMessage(row.value(1).toString());
    } catch (const CDaoException&) {
        // An unreadable row is not refused here: the write that follows reports it.
    }
    return QString();
}
} // namespace

QString FieldLabelSql(const QString& alias)
{
    return QStringLiteral("COALESCE(l.FieldLabel, 'Field ' || %1.FieldTypeID)").arg(alias);
}

bool IsNonNegativeQuantity(const QString& quantity)
{
    for (const char* kind : {"Time", "Amount", "Volume"}) {
        if (quantity.compare(QLatin1String(kind), Qt::CaseInsensitive) == 0)
            return true;
    }
    return false;
}

QString NegativeValueMessage(const QString& fieldLabel)
{
    return QStringLiteral("Please enter a non-negative number for %1.").arg(fieldLabel);
}

QString FieldValueRefusal(long stepID, long fieldID, double value)
{
    return Refusal(stepID, "TblFieldData", "FieldID", fieldID, value);
}

QString RangeLimitRefusal(long stepID, long rangeID, double value)
{
    return Refusal(stepID, "TblRangeData", "RangeID", rangeID, value);
}
