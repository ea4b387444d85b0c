#include "foundation/db/project/QueryEmissionModelSet.h"

const DaoRecordsetDef& CQueryEmissionModelSet::Definition()
{
    static const DaoRecordsetDef def{
        "SELECT ModelTypeID AS AirEmissionModelID, ModelName AS AirEmissionModelName FROM ModelLibrary"
        " WHERE OperationTypeID = :OPTypeID AND ModelKind = 1 ORDER BY ModelTypeID",
        {},
        {{"AirEmissionModelID", DaoFieldType::Long}, {"AirEmissionModelName", DaoFieldType::Text}}};
    return def;
}

bool CQueryEmissionModelSet::OpenSet(long operationTypeID)
{
    SetParameter(QStringLiteral("OPTypeID"), qlonglong(operationTypeID));
    return OpenOnProjectDatabase(QStringLiteral("Database file is not opened yet!"));
}
