#include "foundation/db/project/CalendarSet.h"

const DaoRecordsetDef& CCalendarSet::Definition()
{
    static const DaoRecordsetDef def{
        "WITH arg(CalendarID) AS (SELECT :pCalendarID) SELECT c.CalendarID, c.CalendarName FROM TblCalendar c, arg"
        " WHERE arg.CalendarID = -1 OR c.CalendarID = arg.CalendarID ORDER BY c.CalendarID",
        {{"TblCalendar", {"CalendarID"}}},
        {{"CalendarID", DaoFieldType::Long},
         {"CalendarName", DaoFieldType::Text}}};
    return def;
}

bool CCalendarSet::OpenSet(long calendarID, const QString& dbPath)
{
    SetParameter("pCalendarID", qlonglong(calendarID));
    if (dbPath.isEmpty())
        return OpenOnProjectDatabase(QString());
    return OpenOnFile(dbPath);
}
