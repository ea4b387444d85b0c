#include "foundation/db/project/PreferAirEmissionModelSet.h"

#include "foundation/db/recordsets/BulkRows.h"

const DaoRecordsetDef& CPreferAirEmissionModelSet::Definition()
{
    static const DaoRecordsetDef def{
        "SELECT OperationTypeID, EquipmentFieldTypeID, SequenceNumber, AirEmissionModelID, RowKey"
        " FROM \"PREFER-AirEmission\" WHERE OperationTypeID = :OPTypeID AND EquipmentFieldTypeID = :KindID"
        " ORDER BY SequenceNumber, RowKey",
        {{"PREFER-AirEmission", {"RowKey"}}},
        {{"OperationTypeID", DaoFieldType::Long},
         {"EquipmentFieldTypeID", DaoFieldType::Long},
         {"SequenceNumber", DaoFieldType::Long},
         {"AirEmissionModelID", DaoFieldType::Long},
         {"RowKey", DaoFieldType::Long}}};
    return def;
}

bool CPreferAirEmissionModelSet::OpenSet(long operationTypeID, long equipmentKindID)
{
    SetParameter(QStringLiteral("OPTypeID"), qlonglong(operationTypeID));
    SetParameter(QStringLiteral("KindID"), qlonglong(equipmentKindID));
    return OpenOnProjectDatabase(QStringLiteral("Database file is not opened yet!"));
}

void CPreferAirEmissionModelSet::Rewrite(CDaoDatabase& database, long operationTypeID, long equipmentKindID,
                                         const QList<long>& modelIDs)
{
    const QString table = QStringLiteral("PREFER-AirEmission");
    ExecKept(database, table,
             QStringLiteral("DELETE FROM \"PREFER-AirEmission\" WHERE OperationTypeID = ? AND "
                            "EquipmentFieldTypeID = ? AND SequenceNumber BETWEEN 1 AND 8"),
             {qlonglong(operationTypeID), qlonglong(equipmentKindID)});
    QList<QVariantList> rows;
    for (long modelID : modelIDs)
        rows.append(QVariantList{qlonglong(modelID)});
    if (rows.isEmpty())
        return;
    ExecKept(database, table,
             QStringLiteral("INSERT INTO \"PREFER-AirEmission\" (OperationTypeID, EquipmentFieldTypeID, "
                            "SequenceNumber, AirEmissionModelID) SELECT ?, ?, CAST(key AS INTEGER) + 1, "
                            "json_extract(value, '$[0]') FROM json_each(?) ORDER BY CAST(key AS INTEGER)"),
             {qlonglong(operationTypeID), qlonglong(equipmentKindID), JsonRows(rows)});
}
