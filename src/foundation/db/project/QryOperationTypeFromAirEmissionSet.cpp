#include "foundation/db/project/QryOperationTypeFromAirEmissionSet.h"

const DaoRecordsetDef& CQryOperationTypeFromAirEmissionSet::Definition()
{
    static const DaoRecordsetDef def{
        "SELECT o.OperationTypeID, o.OperationTypeName FROM OperationsLibrary o"
        " WHERE o.OperationTypeID IN (SELECT OperationTypeID FROM ModelLibrary WHERE ModelKind = 1)"
        " ORDER BY o.OperationTypeID",
        {},
        {{"OperationTypeID", DaoFieldType::Long}, {"OperationTypeName", DaoFieldType::Text}}};
    return def;
}

bool CQryOperationTypeFromAirEmissionSet::OpenSet()
{
    return OpenOnProjectDatabase(QStringLiteral("Database file is not opened yet!"));
}
