#include "foundation/db/project/QueryOperationDefaultSet.h"

#include "foundation/common/concerns/AppContext.h"

const DaoRecordsetDef& CQueryOperationDefaultSet::Definition()
{
    static const DaoRecordsetDef def{
        "SELECT q.OperationName, q.DefaultName, q.ControlState, q.ControlLabel, q.ControlUOMList,"
        " q.ValidationRule, q.CurrentDefaultValue, q.CurrentValueUOM, q.OriginalValue, q.OriginalValueUOM,"
        " q.ComboList, q.OperationDefaultID FROM QryOperationDefaults q"
        " JOIN OperationDefaults d ON d.OperationDefaultID = q.OperationDefaultID"
        " WHERE d.VaporEmission = 0 ORDER BY d.SortOrder, q.OperationDefaultID",
        {{"OperationDefaults", {"OperationDefaultID"}}},
        {{"OperationName", DaoFieldType::Text},
         {"DefaultName", DaoFieldType::Text},
         {"ControlState", DaoFieldType::Long},
         {"ControlLabel", DaoFieldType::Text},
         {"ControlUOMList", DaoFieldType::Text},
         {"ValidationRule", DaoFieldType::Long},
         {"CurrentDefaultValue", DaoFieldType::Double},
         {"CurrentValueUOM", DaoFieldType::Text},
         {"OriginalValue", DaoFieldType::Double},
         {"OriginalValueUOM", DaoFieldType::Text},
         {"ComboList", DaoFieldType::Text},
         {"OperationDefaultID", DaoFieldType::Long}}};
    return def;
}

bool CQueryOperationDefaultSet::OpenSet()
{
    if (!GetProjectDatabase())
        return false;
    return OpenOnProjectDatabase(QStringLiteral("Database file is not opend yet!"));
}
