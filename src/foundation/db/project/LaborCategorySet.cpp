#include "foundation/db/project/LaborCategorySet.h"

const DaoRecordsetDef& CLaborCategorySet::Definition()
{
    static const DaoRecordsetDef def{
        "SELECT LaborGradeID, LaborGrade, Cost, CostUOM, MaxAvailableOperators FROM TblLaborCategory"
        " ORDER BY LaborGradeID",
        {{"TblLaborCategory", {"LaborGradeID"}}},
        {{"LaborGradeID", DaoFieldType::Long},
         {"LaborGrade", DaoFieldType::Text},
         {"Cost", DaoFieldType::Double},
         {"CostUOM", DaoFieldType::Text},
         {"MaxAvailableOperators", DaoFieldType::Long}}};
    return def;
}

bool CLaborCategorySet::OpenSet()
{
    return OpenOnProjectDatabase(QStringLiteral("Database file is not opened yet!"));
}
