#include "foundation/db/project/OperationLibrarySet.h"

const DaoRecordsetDef& COperationLibrarySet::Definition()
{
    static const DaoRecordsetDef def{
        "SELECT OperationTypeID, OperationTypeName, OperationDefaultLabel FROM OperationsLibrary"
        " ORDER BY OperationTypeID",
        {{"OperationsLibrary", {"OperationTypeID"}}},
        {{"OperationTypeID", DaoFieldType::Long},
         {"OperationTypeName", DaoFieldType::Text},
         {"OperationDefaultLabel", DaoFieldType::Text}}};
    return def;
}

bool COperationLibrarySet::OpenSet()
{
    return OpenOnProjectDatabase(QStringLiteral("Database file is not opened yet!"));
}
