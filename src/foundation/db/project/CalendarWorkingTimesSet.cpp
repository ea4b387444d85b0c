#include "foundation/db/project/CalendarWorkingTimesSet.h"

const DaoRecordsetDef& CCalendarWorkingTimesSet::Definition()
{
    static const DaoRecordsetDef def{
        "WITH arg(CalendarID, DayOfWeek) AS (SELECT :pCalendarID, :pDay) SELECT w.CalendarID, w.DayOfWeek, w.Working,"
        " w.FromTime1, w.ToTime1, w.FromTime2, w.ToTime2, w.FromTime3, w.ToTime3, w.FromTime4, w.ToTime4, w.FromTime5, w.ToTime5, w.RowKey"
        " FROM TblCalendarWorkingTimes w, arg WHERE (arg.CalendarID = -1 OR w.CalendarID = arg.CalendarID)"
        " AND (arg.DayOfWeek = -1 OR w.DayOfWeek = arg.DayOfWeek) ORDER BY w.CalendarID, w.DayOfWeek, w.RowKey",
        {{"TblCalendarWorkingTimes", {"RowKey"}}},
        {{"CalendarID", DaoFieldType::Long},
         {"DayOfWeek", DaoFieldType::Long},
         {"Working", DaoFieldType::Bool},
         {"FromTime1", DaoFieldType::Date},
         {"ToTime1", DaoFieldType::Date},
         {"FromTime2", DaoFieldType::Date},
         {"ToTime2", DaoFieldType::Date},
         {"FromTime3", DaoFieldType::Date},
         {"ToTime3", DaoFieldType::Date},
         {"FromTime4", DaoFieldType::Date},
         {"ToTime4", DaoFieldType::Date},
         {"FromTime5", DaoFieldType::Date},
         {"ToTime5", DaoFieldType::Date},
         {"RowKey", DaoFieldType::Long, DAO_NOT_WRITTEN}}};
    return def;
}

bool CCalendarWorkingTimesSet::OpenSet(long calendarID, long day)
{
    SetParameter("pCalendarID", qlonglong(calendarID));
    SetParameter("pDay", qlonglong(day));
    return OpenOnProjectDatabase(QString());
}
