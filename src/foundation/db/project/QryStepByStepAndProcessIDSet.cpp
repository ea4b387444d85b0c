#include "foundation/db/project/QryStepByStepAndProcessIDSet.h"

const DaoRecordsetDef& CQryStepByStepAndProcessIDSet::Definition()
{
    static const DaoRecordsetDef def{
        "SELECT ProcessName, ProcessVersionName, StepName, StepVersionName, ProcessID, StepID, StepOrder, "
        "RowKey"
        " FROM QryStepByStepAndProcessID WHERE StepID = :pStepID AND ProcessID = :pProcessID",
        {{"Step-To-Process", {"RowKey"}}},
        {{"ProcessName", DaoFieldType::Text, DAO_NOT_WRITTEN},
         {"ProcessVersionName", DaoFieldType::Text, DAO_NOT_WRITTEN},
         {"StepName", DaoFieldType::Text, DAO_NOT_WRITTEN},
         {"StepVersionName", DaoFieldType::Text, DAO_NOT_WRITTEN},
         {"ProcessID", DaoFieldType::Long},
         {"StepID", DaoFieldType::Long},
         {"StepOrder", DaoFieldType::Long},
         {"RowKey", DaoFieldType::Long}}};
    return def;
}

bool CQryStepByStepAndProcessIDSet::OpenSet(long stepID, long processID)
{
    SetParameter("pStepID", qlonglong(stepID));
    SetParameter("pProcessID", qlonglong(processID));
    return OpenOnProjectDatabase(QString());
}
