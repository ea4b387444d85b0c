#include "foundation/db/project/StepToProcessSet.h"

const DaoRecordsetDef& CStepToProcessSet::Definition()
{
    static const DaoRecordsetDef def{
        "WITH arg(ProcessID) AS (SELECT :lProcessID)"
        " SELECT q.ProcessID, q.ProcessName, q.ProcessVersionName, q.StepID, q.StepName, q.StepVersionName,"
        " q.StepOrder, q.RowKey FROM QryStepToProcessForProcessID q, arg"
        " WHERE q.ProcessID = arg.ProcessID OR arg.ProcessID = -1 ORDER BY q.ProcessID, q.StepOrder, "
        "q.StepID",
        {{"Step-To-Process", {"RowKey"}}, {"ProjectStep", {"StepID"}}},
        {{"ProcessID", DaoFieldType::Long},
         {"ProcessName", DaoFieldType::Text, DAO_NOT_WRITTEN},
         {"ProcessVersionName", DaoFieldType::Text, DAO_NOT_WRITTEN},
         {"StepID", DaoFieldType::Long},
         {"StepName", DaoFieldType::Text, 1},
         {"StepVersionName", DaoFieldType::Text, 1},
         {"StepOrder", DaoFieldType::Long},
         {"RowKey", DaoFieldType::Long}}};
    return def;
}

bool CStepToProcessSet::OpenSet(long processID)
{
    SetParameter("lProcessID", qlonglong(processID));
    return OpenOnProjectDatabase(QString());
}
