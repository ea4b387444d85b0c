#include "foundation/db/project/CalendarExceptionSet.h"

const DaoRecordsetDef& CCalendarExceptionSet::Definition()
{
    static const DaoRecordsetDef def{
        "WITH arg(CalendarID) AS (SELECT :pCalendarID) SELECT e.CalendarID, e.FromDate, e.ToDate, e.Working,"
        " e.FromTime1, e.ToTime1, e.FromTime2, e.ToTime2, e.FromTime3, e.ToTime3, e.FromTime4, e.ToTime4, e.FromTime5, e.ToTime5, e.RowKey"
        " FROM TblCalendarException e, arg WHERE arg.CalendarID = -1 OR e.CalendarID = arg.CalendarID"
        " ORDER BY e.CalendarID, e.RowKey",
        {{"TblCalendarException", {"RowKey"}}},
        {{"CalendarID", DaoFieldType::Long},
         {"FromDate", DaoFieldType::Date},
         {"ToDate", DaoFieldType::Date},
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

bool CCalendarExceptionSet::OpenSet(long calendarID)
{
    SetParameter("pCalendarID", qlonglong(calendarID));
    return OpenOnProjectDatabase(QString());
}
