#include "foundation/db/step/TblFieldLabor.h"

const DaoRecordsetDef& CTblFieldLabor::Definition()
{
    static const DaoRecordsetDef def{
        "SELECT d.FieldID, d.GroupID, d.FieldTypeID, d.LongValue FROM TblFieldData d"
        " JOIN TblFieldLibrary l ON l.FieldTypeID = d.FieldTypeID"
        " WHERE l.FieldType = 'LaborID' AND d.LongValue = :LaborID ORDER BY d.FieldID",
        {},
        {{"FieldID", DaoFieldType::Long, DAO_NOT_WRITTEN},
         {"GroupID", DaoFieldType::Long, DAO_NOT_WRITTEN},
         {"FieldTypeID", DaoFieldType::Long, DAO_NOT_WRITTEN},
         {"LongValue", DaoFieldType::Long, DAO_NOT_WRITTEN}}};
    return def;
}

bool CTblFieldLabor::OpenSet(CDaoDatabase* database, long laborID)
{
    if (!database || !database->IsOpen())
        return false;
    SetParameter(QStringLiteral("LaborID"), qlonglong(laborID));
    return OpenOnDatabase(database);
}
