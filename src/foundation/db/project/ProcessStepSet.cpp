#include "foundation/db/project/ProcessStepSet.h"

const DaoRecordsetDef& CProcessStepSet::Definition()
{
    static const DaoRecordsetDef def{
        "SELECT ProcessID, StepID, StepName, StepVersionName, StepOrder FROM QryStepInProcessVersion"
        " WHERE ProcessID = :pProcessID ORDER BY StepOrder, StepID",
        {{"Step-To-Process", {"ProcessID", "StepID"}}},
        {{"ProcessID", DaoFieldType::Long},
         {"StepID", DaoFieldType::Long},
         {"StepName", DaoFieldType::Text, DAO_NOT_WRITTEN},
         {"StepVersionName", DaoFieldType::Text, DAO_NOT_WRITTEN},
         {"StepOrder", DaoFieldType::Long}}};
    return def;
}

bool CProcessStepSet::OpenSet(long processID, const QString& dbPath)
{
    SetParameter("pProcessID", qlonglong(processID));
    if (dbPath.isEmpty())
        return OpenOnProjectDatabase(QString());
    return OpenOnFile(dbPath, QString(), DatabaseRole::ReadOnly);
}
