#include "modules/convertunits/ConvertUnitsEntry.h"

#include "foundation/common/UnitConversion.h"
#include "foundation/common/concerns/AppContext.h"
#include "foundation/db/connection/DaoDatabase.h"
#include "foundation/db/connection/DaoException.h"
#include "foundation/db/connection/DaoTransaction.h"

#include <QHash>
#include <QJsonArray>
#include <QJsonDocument>
#include <QSqlQuery>
#include <QVariant>

namespace {

// A value in the set's unit; false (the value stays) for an unset value, an unknown unit or units
// that do not measure alike.
bool ConvertedValue(double value, const QString& from, const QString& to, double& converted)
{
    const int fromIndex = GetUnitIndex(from);
    const int toIndex = GetUnitIndex(to);
    if (value >= 1e34 || fromIndex < 0 || toIndex < 0 || fromIndex == toIndex ||
        UnitTableRow(fromIndex).basis != UnitTableRow(toIndex).basis)
        return false;
    converted = InternalToUser(to, UserToInternal(from, value, 1.0, 1.0), 1.0, 1.0);
    return true;
}

// The set's unit of each field type whose unit-of-measure kind the set names.
QHash<long, QString> TargetUnits(CDaoDatabase& step, long uomSetID)
{
    CDaoDatabase* project = GetProjectDatabase();
    if (!project)
        throw CDaoException(QStringLiteral("Database file is not opened yet!"));
    QHash<QString, QString> byKind;
    QSqlQuery units = project->Query(
        QStringLiteral("SELECT UOMType, Unit FROM TblUOMSetDetail WHERE UOMSetID = ? AND Unit IS NOT NULL"),
        {qlonglong(uomSetID)});
    while (units.next())
        byKind.insert(units.value(0).toString().toLower(), units.value(1).toString());
    QHash<long, QString> byFieldType;
    QSqlQuery types = step.Query(QStringLiteral("SELECT FieldTypeID, UOMType FROM TblFieldLibrary WHERE UOMType IS NOT NULL"));
    while (types.next()) {
        const QString kind = types.value(1).toString().toLower();
        if (byKind.contains(kind))
            byFieldType.insert(long(types.value(0).toLongLong()), byKind.value(kind));
    }
    return byFieldType;
}

QString ConvertJson(const QJsonArray& rows)
{
    return QString::fromUtf8(QJsonDocument(rows).toJson(QJsonDocument::Compact));
}

void ConvertFields(CDaoDatabase& step, const QHash<long, QString>& units)
{
    QJsonArray changed;
    QSqlQuery rows = step.Query(QStringLiteral("SELECT FieldID, FieldTypeID, DoubleValue, UOM FROM TblFieldData"));
    while (rows.next()) {
        const QString to = units.value(long(rows.value(1).toLongLong()));
        double value = 0;
        if (!to.isEmpty() && ConvertedValue(rows.value(2).toDouble(), rows.value(3).toString(), to, value))
            changed.append(QJsonArray{rows.value(0).toLongLong(), value, to});
    }
    if (!changed.isEmpty())
        step.Execute(QStringLiteral("UPDATE TblFieldData SET DoubleValue = c.v, UOM = c.u FROM (SELECT"
                                    " json_extract(value, '$[0]') AS id, json_extract(value, '$[1]') AS v,"
                                    " json_extract(value, '$[2]') AS u FROM json_each(?)) c"
                                    " WHERE TblFieldData.FieldID = c.id"),
                     {ConvertJson(changed)});
}

void ConvertRanges(CDaoDatabase& step, const QHash<long, QString>& units)
{
    QJsonArray changed;
    QSqlQuery rows =
        step.Query(QStringLiteral("SELECT RangeID, FieldTypeID, Low, LowUOM, High, HighUOM FROM TblRangeData"));
    while (rows.next()) {
        const QString to = units.value(long(rows.value(1).toLongLong()));
        double low = rows.value(2).toDouble(), high = rows.value(4).toDouble();
        const bool lowChanged = !to.isEmpty() && ConvertedValue(low, rows.value(3).toString(), to, low);
        const bool highChanged = !to.isEmpty() && ConvertedValue(high, rows.value(5).toString(), to, high);
        if (lowChanged || highChanged)
            changed.append(QJsonArray{rows.value(0).toLongLong(), low,
                                      lowChanged ? to : rows.value(3).toString(), high,
                                      highChanged ? to : rows.value(5).toString()});
    }
    if (!changed.isEmpty())
        step.Execute(QStringLiteral("UPDATE TblRangeData SET Low = c.l, LowUOM = c.lu, High = c.h, HighUOM = c.hu"
                                    " FROM (SELECT json_extract(value, '$[0]') AS id, json_extract(value, '$[1]') AS l,"
                                    " json_extract(value, '$[2]') AS lu, json_extract(value, '$[3]') AS h,"
                                    " json_extract(value, '$[4]') AS hu FROM json_each(?)) c"
                                    " WHERE TblRangeData.RangeID = c.id"),
                     {ConvertJson(changed)});
}

} // namespace

void ConvertUnitsEntry::convertUnits(unsigned long stepID, long uomSetID)
{
    CDaoDatabase* step = GetStepDatabase(long(stepID));
    if (!step)
        throw CDaoException(QStringLiteral("The step database is not open."));
    CDaoTransaction transaction(*step);
    const QHash<long, QString> units = TargetUnits(*step, uomSetID);
    ConvertFields(*step, units);
    ConvertRanges(*step, units);
    transaction.Commit();
}
