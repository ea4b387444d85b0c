#include "modules/qvxl/MaterialReport.h"

#include "foundation/db/connection/DaoDatabase.h"
#include "foundation/db/content/OperationParameters.h"

#include <QSet>
#include <QSqlQuery>

#include <optional>

namespace {
constexpr double MATERIAL_REPORT_UNSET = 1e35;

QString MaterialReportSql(bool utilities)
{
    return QStringLiteral(
               "SELECT c.MaterialName, c.CASCode, c.Phase, p.DoubleValue, p.ValueUOM, t.MaterialID FROM %1 t"
               " LEFT JOIN ActualMaterialCommon c ON c.MaterialID = t.MaterialID"
               " LEFT JOIN ActualMaterialProperty p ON p.MaterialID = t.MaterialID"
               " AND p.MaterialPropertyID = ? ORDER BY t.rowid")
        .arg(utilities ? QStringLiteral("TempUtilityIDTable") : QStringLiteral("TempMaterialIDTable"));
}

constexpr long CHARGE_OPERATION_TYPE = 4;

// Each operation's material ids with its type, and whether it names a reaction data set.
const char* const CHARGED_MATERIALS_SQL =
    "SELECT DISTINCT g.OperationID, f.LongValue, o.OperationTypeID, EXISTS (SELECT 1 FROM TblGroupData rg"
    " JOIN TblFieldData r ON r.GroupID = rg.GroupID WHERE rg.OperationID = g.OperationID AND r.FieldTypeID = "
    "?"
    " AND r.LongValue IS NOT NULL) FROM TblFieldData f JOIN TblGroupData g ON g.GroupID = f.GroupID"
    " JOIN Operation o ON o.OperationID = g.OperationID WHERE f.FieldTypeID = ? AND f.LongValue IS NOT NULL";

QVariant MaterialReportNumber(const QVariant& value)
{
    if (value.isNull() || value.toDouble() == MATERIAL_REPORT_UNSET)
        return {};
    return value.toDouble();
}

// The kg an operation adds of its material: a charge its stored amount, else its type's default; a
// reaction that doses its material its stored amount. Unset when it adds none; nullopt when a
// charge gives only a volume, which this report does not turn into a mass.
std::optional<double> ChargedAmount(const QHash<long, OperationParameters>& stored, const QSqlQuery& row)
{
    const OperationParameters values = stored.value(long(row.value(0).toLongLong()));
    const long typeID = long(row.value(2).toLongLong());
    if (typeID != CHARGE_OPERATION_TYPE)
        return row.value(3).toBool() ? values.amount : MATERIAL_REPORT_UNSET;
    if (values.amount != MATERIAL_REPORT_UNSET)
        return values.amount;
    if (values.volume != MATERIAL_REPORT_UNSET)
        return std::nullopt;
    const OperationParameterDefault* fallback = FindOperationParameterDefault(typeID, OperationField::Amount);
    return fallback ? ToEngineUnit(OperationField::Amount, fallback->value, fallback->uom)
                    : MATERIAL_REPORT_UNSET;
}

QVariantList MaterialReportHeading(bool utilities, bool amounts)
{
    QVariantList heading{QStringLiteral("Name"), QStringLiteral("CAS Code"), QStringLiteral("Phase"),
                         utilities ? QStringLiteral("Utility Property") : QStringLiteral("Molecular Weight"),
                         QStringLiteral("Unit")};
    if (amounts)
        heading << QStringLiteral("Amount (kg)");
    return heading;
}
} // namespace

QHash<long, double> StepMaterialAmounts(CDaoDatabase& step)
{
    const QHash<long, OperationParameters> stored = ReadOperationParameters(step);
    QHash<long, double> amounts;
    QSet<long> unknown;
    QSqlQuery rows =
        step.Query(QString::fromLatin1(CHARGED_MATERIALS_SQL),
                   {qlonglong(LibraryReferenceField::Reaction), qlonglong(LibraryReferenceField::Material)});
    while (rows.next()) {
        const long materialID = long(rows.value(1).toLongLong());
        const std::optional<double> amount = ChargedAmount(stored, rows);
        if (!amount)
            unknown.insert(materialID);
        else if (*amount != MATERIAL_REPORT_UNSET)
            amounts[materialID] += qMax(0.0, *amount);
    }
    for (long materialID : std::as_const(unknown))
        amounts.remove(materialID);
    return amounts;
}

ReportSheet MaterialReportSheet(CDaoDatabase& materials, bool utilities, CDaoDatabase* step)
{
    const bool withAmounts = step && !utilities;
    const QHash<long, double> amounts = withAmounts ? StepMaterialAmounts(*step) : QHash<long, double>();
    ReportSheet sheet{utilities ? QStringLiteral("Utilities") : QStringLiteral("Materials"), {}};
    sheet.rows << MaterialReportHeading(utilities, withAmounts);
    QSqlQuery query = materials.Query(MaterialReportSql(utilities), {utilities ? 469 : 1});
    while (query.next()) {
        const QVariant number = MaterialReportNumber(query.value(3));
        QVariantList cells{query.value(0).toString(), query.value(1).toString(), query.value(2).toString(),
                           number, number.isNull() ? QString() : query.value(4).toString()};
        const long id = long(query.value(5).toLongLong());
        if (withAmounts)
            cells << (amounts.contains(id) ? QVariant(amounts.value(id)) : QVariant());
        sheet.rows << cells;
    }
    return sheet;
}
