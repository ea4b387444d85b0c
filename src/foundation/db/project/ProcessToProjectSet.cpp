#include "foundation/db/project/ProcessToProjectSet.h"

const DaoRecordsetDef& CProcessToProjectSet::Definition()
{
    static const DaoRecordsetDef def{
        "SELECT ProjectID, ProcessID, ProcessName, ProcessVersionName, RowKey FROM \"Process-To-Project\""
        " ORDER BY RowKey",
        {{"Process-To-Project", {"RowKey"}}},
        {{"ProjectID", DaoFieldType::Long},
         {"ProcessID", DaoFieldType::Long},
         {"ProcessName", DaoFieldType::Text},
         {"ProcessVersionName", DaoFieldType::Text},
         {"RowKey", DaoFieldType::Long}}};
    return def;
}

bool CProcessToProjectSet::OpenSet(const QString& dbPath)
{
    if (dbPath.isEmpty())
        return OpenOnProjectDatabase(QString());
    return OpenOnFile(dbPath, QString(), DatabaseRole::ReadOnly);
}
