#include "foundation/db/project/ProjectSet.h"

const DaoRecordsetDef& CProjectSet::Definition()
{
    static const DaoRecordsetDef def{"SELECT ProjectID, ProjectName, Description, ProcessCounter, "
                                     "StepCounter FROM Project ORDER BY ProjectID",
                                     {{"Project", {"ProjectID"}}},
                                     {{"ProjectID", DaoFieldType::Long},
                                      {"ProjectName", DaoFieldType::Text},
                                      {"Description", DaoFieldType::Text},
                                      {"ProcessCounter", DaoFieldType::Long},
                                      {"StepCounter", DaoFieldType::Long}}};
    return def;
}

bool CProjectSet::OpenSet(const QString& dbPath)
{
    if (dbPath.isEmpty())
        return OpenOnProjectDatabase(QString());
    return OpenOnFile(dbPath, QString(), DatabaseRole::ReadOnly);
}
