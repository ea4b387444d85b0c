#include "foundation/db/project/EquipmentAirEmissionModelSet.h"

const DaoRecordsetDef& CEquipmentAirEmissionModelSet::Definition()
{
    static const DaoRecordsetDef def{
        "SELECT o.OperationTypeName, k.FieldLabel, k.FieldTypeID FROM AirEmissionEquipmentKinds k"
        " JOIN OperationsLibrary o ON o.OperationTypeID = k.OperationTypeID"
        " WHERE k.OperationTypeID = :OPTypeID ORDER BY k.FieldTypeID, k.RowKey",
        {},
        {{"OperationTypeName", DaoFieldType::Text},
         {"FieldLabel", DaoFieldType::Text},
         {"FieldTypeID", DaoFieldType::Long}}};
    return def;
}

bool CEquipmentAirEmissionModelSet::OpenSet(long operationTypeID)
{
    SetParameter(QStringLiteral("OPTypeID"), qlonglong(operationTypeID));
    return OpenOnProjectDatabase(QStringLiteral("Database file is not opened yet!"));
}
