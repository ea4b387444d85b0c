#include "foundation/db/step/StepLabelSet.h"

const DaoRecordsetDef& CStepLabelSet::Definition()
{
    static const DaoRecordsetDef def{
        "SELECT StepID, StepName, StepVersionName, PlantID FROM Step ORDER BY StepID",
        {{"Step", {"StepID"}}},
        {{"StepID", DaoFieldType::Long, DAO_NOT_WRITTEN},
         {"StepName", DaoFieldType::Text, DAO_NOT_WRITTEN},
         {"StepVersionName", DaoFieldType::Text, DAO_NOT_WRITTEN},
         {"PlantID", DaoFieldType::Long, DAO_NOT_WRITTEN}}};
    return def;
}
