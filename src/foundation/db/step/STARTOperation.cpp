#include "foundation/db/step/STARTOperation.h"

const DaoRecordsetDef& CSTARTOperation::Definition()
{
    static const DaoRecordsetDef def{
        "SELECT OperationID FROM QrySTARTOperation", {}, {{"OperationID", DaoFieldType::Long}}};
    return def;
}
