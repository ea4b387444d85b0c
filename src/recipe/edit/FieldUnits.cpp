#include "recipe/edit/FieldUnits.h"

#include "foundation/common/ParseDouble.h"
#include "foundation/common/UnitConversion.h"
#include "foundation/common/concerns/AppContext.h"
#include "foundation/db/connection/DaoDatabase.h"
#include "foundation/db/connection/DaoException.h"
#include "recipe/edit/NonNegativeValues.h"

#include <QSqlQuery>

#include <optional>

namespace {
struct FieldUnitKind {
    QString label;
    QString kind; // empty: the field measures nothing
};

// The label and unit kind of the field type that the row of table names.
std::optional<FieldUnitKind> ReadFieldUnitKind(long stepID, const char* table, const char* key, long id)
{
    CDaoDatabase* step = GetStepDatabase(stepID);
    if (!step || !step->IsOpen())
        return std::nullopt;
    const QString sql =
        QStringLiteral("SELECT %1, COALESCE(l.UOMType, l.Quantity, '') FROM %2 r"
                       " LEFT JOIN TblFieldLibrary l ON l.FieldTypeID = r.FieldTypeID"
                       " WHERE r.%3 = ?")
            .arg(FieldLabelSql(QStringLiteral("r")), QLatin1String(table), QLatin1String(key));
    QSqlQuery row = step->Query(sql, {qlonglong(id)});
    if (!row.next())
        return std::nullopt;
    return FieldUnitKind{row.value(0).toString(), row.value(1).toString()};
}

// True when the project's unit library lists unit, spelled exactly so, for the kind.
bool IsProjectUnitOfFieldKind(const QString& kind, const QString& unit)
{
    CDaoDatabase* project = GetProjectDatabase();
    if (!project || !project->IsOpen() || kind.isEmpty())
        return false;
    QSqlQuery row = project->Query(QStringLiteral("SELECT 1 FROM TblUnitsLibrary WHERE Quantity = ?"
                                                  " AND Unit = ? COLLATE BINARY LIMIT 1"),
                                   {kind, unit});
    return row.next();
}

QString RowUnitRefusal(long stepID, const char* table, const char* key, long id, const QString& unit,
                       double value)
{
    if (unit.isEmpty())
        return QString();
    try {
        const std::optional<FieldUnitKind> field = ReadFieldUnitKind(stepID, table, key, id);
        if (field && (!IsProjectUnitOfFieldKind(field->kind, unit) || !IsStorableInUnit(value, unit)))
            return UnitRefusalMessage(field->label);
    } catch (const CDaoException&) {
        // An unreadable row is not refused here: the write that follows reports it.
    }
    return QString();
}

} // namespace

QString UnitRefusalMessage(const QString& fieldLabel)
{
    return QStringLiteral("Please select Unit Of Measure for %1!").arg(fieldLabel);
}

QString FieldUnitRefusal(long stepID, long fieldID, const QString& unit, double value)
{
    return RowUnitRefusal(stepID, "TblFieldData", "FieldID", fieldID, unit, value);
}

QString RangeUnitRefusal(long stepID, long rangeID, const QString& unit, double value)
{
    return RowUnitRefusal(stepID, "TblRangeData", "RangeID", rangeID, unit, value);
}

bool IsStorableInUnit(double value, const QString& unit)
{
    if (value == UNSET_VALUE)
        return true;
    if (!IsStorableNumber(value))
        return false;
    // Molecular weight and density 1: the size of the figure is what counts here.
    return IsStorableNumber(UserToInternal(unit, value, 1.0, 1.0));
}
