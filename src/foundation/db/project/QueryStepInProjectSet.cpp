#include "foundation/db/project/QueryStepInProjectSet.h"

const DaoRecordsetDef& CQueryStepInProjectSet::Definition()
{
    static const DaoRecordsetDef def{
        "SELECT StepID, StepName, ProcessID, ProcessName, ProcessVersionName, ProjectID FROM QryStepInProject"
        " ORDER BY StepID, ProcessID",
        {},
        {{"StepID", DaoFieldType::Long, DAO_NOT_WRITTEN},
         {"StepName", DaoFieldType::Text, DAO_NOT_WRITTEN},
         {"ProcessID", DaoFieldType::Long, DAO_NOT_WRITTEN},
         {"ProcessName", DaoFieldType::Text, DAO_NOT_WRITTEN},
         {"ProcessVersionName", DaoFieldType::Text, DAO_NOT_WRITTEN},
         {"ProjectID", DaoFieldType::Long, DAO_NOT_WRITTEN}}};
    return def;
}

bool CQueryStepInProjectSet::OpenSet(const QString& dbPath)
{
    if (dbPath.isEmpty())
        return OpenOnProjectDatabase(QString());
    return OpenOnFile(dbPath, QString(), DatabaseRole::ReadOnly);
}

bool CQueryStepInProjectSet::ReadStepIDs(QList<long>& stepIDs, DaoErrorMode mode, const QString& dbPath)
{
    stepIDs.clear();
    CQueryStepInProjectSet steps;
    steps.SetErrorMode(mode);
    if (!steps.OpenSet(dbPath))
        return false;
    for (; !steps.IsEOF(); steps.MoveNext()) {
        const long stepID = steps.GetLong(QStringLiteral("StepID"));
        if (stepIDs.isEmpty() || stepIDs.constLast() != stepID)
            stepIDs.append(stepID);
    }
    return true;
}
