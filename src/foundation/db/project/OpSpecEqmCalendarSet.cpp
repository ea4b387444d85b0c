#include "foundation/db/project/OpSpecEqmCalendarSet.h"

const DaoRecordsetDef& COpSpecEqmCalendarSet::Definition()
{
    static const DaoRecordsetDef def{
        "SELECT OperationID, StartDuringNonWorkingTime, EndDuringNonWorkingTime, OperationTypeName"
        " FROM QryOperationSpecificEquipmentCalendar ORDER BY OperationID",
        {{"OperationSpecificEquipmentCalendar", {"OperationID"}}},
        {{"OperationID", DaoFieldType::Long},
         {"StartDuringNonWorkingTime", DaoFieldType::Bool},
         {"EndDuringNonWorkingTime", DaoFieldType::Bool},
         {"OperationTypeName", DaoFieldType::Text, DAO_NOT_WRITTEN}}};
    return def;
}

bool COpSpecEqmCalendarSet::OpenSet()
{
    return OpenOnProjectDatabase(QStringLiteral("Database file is not opened yet!"));
}
