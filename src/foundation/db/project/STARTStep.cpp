#include "foundation/db/project/STARTStep.h"

const DaoRecordsetDef& CSTARTStep::Definition()
{
    static const DaoRecordsetDef def{"SELECT StepID FROM QrySTARTStep", {}, {{"StepID", DaoFieldType::Long}}};
    return def;
}
