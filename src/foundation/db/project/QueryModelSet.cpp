#include "foundation/db/project/QueryModelSet.h"

const DaoRecordsetDef& CQueryModelSet::Definition()
{
    static const DaoRecordsetDef def{
        "SELECT ModelTypeID, ModelName FROM ModelLibrary"
        " WHERE OperationTypeID = :OperationTypeID AND ModelKind = 0 ORDER BY ModelTypeID",
        {},
        {{"ModelTypeID", DaoFieldType::Long}, {"ModelName", DaoFieldType::Text}}};
    return def;
}

bool CQueryModelSet::OpenSet(long operationTypeID)
{
    SetParameter(QStringLiteral("OperationTypeID"), qlonglong(operationTypeID));
    return OpenOnProjectDatabase(QStringLiteral("Database file is not opened yet!"));
}
