#include "modules/qvxl/MaterialReport.h"

#include "foundation/db/DaoDatabase.h"

#include <QSqlQuery>

namespace {
constexpr double MATERIAL_REPORT_UNSET = 1e35;

QString MaterialReportSql(bool utilities)
{
    return QStringLiteral("SELECT c.MaterialName, c.CASCode, c.Phase, p.DoubleValue, p.ValueUOM FROM %1 t"
                          " LEFT JOIN ActualMaterialCommon c ON c.MaterialID = t.MaterialID"
                          " LEFT JOIN ActualMaterialProperty p ON p.MaterialID = t.MaterialID"
                          " AND p.MaterialPropertyID = ? ORDER BY t.rowid")
        .arg(utilities ? QStringLiteral("TempUtilityIDTable") : QStringLiteral("TempMaterialIDTable"));
}

QVariant MaterialReportNumber(const QVariant& value)
{
    if (value.isNull() || value.toDouble() == MATERIAL_REPORT_UNSET)
        return {};
    return value.toDouble();
}
} // namespace

ReportSheet MaterialReportSheet(CDaoDatabase& materials, bool utilities)
{
    ReportSheet sheet{utilities ? QStringLiteral("Utilities") : QStringLiteral("Materials"), {}};
    sheet.rows << QVariantList{QStringLiteral("Name"), QStringLiteral("CAS Code"), QStringLiteral("Phase"),
                               utilities ? QStringLiteral("Utility Property") : QStringLiteral("Molecular Weight"),
                               QStringLiteral("Unit")};
    QSqlQuery query = materials.Query(MaterialReportSql(utilities), {utilities ? 469 : 1});
    while (query.next()) {
        const QVariant number = MaterialReportNumber(query.value(3));
        sheet.rows << QVariantList{query.value(0).toString(), query.value(1).toString(), query.value(2).toString(),
                                   number, number.isNull() ? QString() : query.value(4).toString()};
    }
    return sheet;
}
