#include "foundation/db/project/QueryVaporEmissionDefaults.h"

#include "foundation/db/recordsets/BulkRows.h"

const DaoRecordsetDef& CQueryVaporEmissionDefaults::Definition()
{
    static const DaoRecordsetDef def{
        "SELECT CurrentDefaultValue, CurrentValueUOM, OriginalValue, OriginalValueUOM, OperationName,"
        " DefaultName, ControlState, ControlLabel, ControlUOMList, ValidationRule, ComboList, "
        "OperationDefaultID"
        " FROM OperationDefaults WHERE VaporEmission = 1 ORDER BY SortOrder, OperationDefaultID",
        {{"OperationDefaults", {"OperationDefaultID"}}},
        {{"CurrentDefaultValue", DaoFieldType::Double},
         {"CurrentValueUOM", DaoFieldType::Text},
         {"OriginalValue", DaoFieldType::Double},
         {"OriginalValueUOM", DaoFieldType::Text},
         {"OperationName", DaoFieldType::Text},
         {"DefaultName", DaoFieldType::Text},
         {"ControlState", DaoFieldType::Double},
         {"ControlLabel", DaoFieldType::Text},
         {"ControlUOMList", DaoFieldType::Text},
         {"ValidationRule", DaoFieldType::Double},
         {"ComboList", DaoFieldType::Text},
         {"OperationDefaultID", DaoFieldType::Long}}};
    return def;
}

bool CQueryVaporEmissionDefaults::OpenSet()
{
    return OpenOnProjectDatabase(QStringLiteral("Database file is not opened yet!"));
}

void CQueryVaporEmissionDefaults::WriteValues(CDaoDatabase& database, const QList<VaporEmissionValue>& values)
{
    if (values.isEmpty())
        return;
    QList<QVariantList> rows;
    for (const VaporEmissionValue& each : values)
        rows.append({qlonglong(each.operationDefaultID), each.value, each.unit});
    ExecKept(
        database, QStringLiteral("OperationDefaults"),
        QStringLiteral("UPDATE OperationDefaults SET CurrentDefaultValue = json_extract(r.value, '$[1]'),"
                       " CurrentValueUOM = json_extract(r.value, '$[2]') FROM json_each(?) r"
                       " WHERE OperationDefaults.OperationDefaultID = json_extract(r.value, '$[0]')"
                       " AND OperationDefaults.VaporEmission = 1"),
        {JsonRows(rows)});
}
