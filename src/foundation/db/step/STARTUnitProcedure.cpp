#include "foundation/db/step/STARTUnitProcedure.h"

const DaoRecordsetDef& CSTARTUnitProcedure::Definition()
{
    static const DaoRecordsetDef def{
        "SELECT UnitProcedureID FROM QrySTARTUnitProcedure", {}, {{"UnitProcedureID", DaoFieldType::Long}}};
    return def;
}
