#include "library/FacilityCalendar.h"

#include "foundation/common/MessageBox.h"
#include "foundation/common/concerns/AppContext.h"
#include "foundation/db/recordsets/BulkRows.h"
#include "foundation/db/connection/DaoException.h"
#include "foundation/db/connection/DaoTransaction.h"
#include "foundation/db/equipment/PlantSet.h"
#include "foundation/db/project/CalendarExceptionSet.h"
#include "foundation/db/project/CalendarSet.h"
#include "foundation/db/project/CalendarWorkingTimesSet.h"
#include "results/ResultWindows.h"

namespace {
const QStringList CALENDAR_WINDOW_COLUMNS = {"FromTime1", "ToTime1", "FromTime2", "ToTime2", "FromTime3",
                                             "ToTime3",   "FromTime4", "ToTime4", "FromTime5", "ToTime5"};

// The ten window columns: the first five windows in order, the rest null.
QVariantList CalendarWindowValues(const QList<double>& from, const QList<double>& to)
{
    QVariantList values;
    for (int i = 0; i < CALENDAR_MAX_WINDOWS; ++i) {
        const bool set = i < from.size() && i < to.size();
        values << (set ? QVariant(from[i]) : QVariant()) << (set ? QVariant(to[i]) : QVariant());
    }
    return values;
}

bool CalendarWindowSet(const CDaoRecordset& row, int window)
{
    return !row.IsFieldNull(CALENDAR_WINDOW_COLUMNS[2 * window]) &&
           !row.IsFieldNull(CALENDAR_WINDOW_COLUMNS[2 * window + 1]);
}

double CalendarWindowEnd(const CDaoRecordset& row, int window, int end)
{
    return row.GetDate(CALENDAR_WINDOW_COLUMNS[2 * window + end]);
}
} // namespace

bool CFacilityCalendar::LoadCalendars()
{
    CCalendarSet calendars;
    if (!calendars.OpenSet(-1))
        return false;
    if (calendars.IsEOF()) {
        QvMessageBox(QStringLiteral("No Calendar."));
        return true;
    }
    CPlantSet plants;
    if (!plants.OpenSet())
        return false;
    QList<long> plantCalendars;
    for (; !plants.IsEOF(); plants.MoveNext()) {
        if (!plants.IsFieldNull("CalendarID"))
            plantCalendars << plants.GetLong("CalendarID");
    }
    return LoadCalendarRows(calendars, plantCalendars);
}

bool CFacilityCalendar::LoadCalendarRows(CCalendarSet& calendars, const QList<long>& plantCalendars)
{
    CCalendarWorkingTimesSet times;
    CCalendarExceptionSet exceptions;
    for (; !calendars.IsEOF(); calendars.MoveNext()) {
        const int id = int(calendars.GetLong("CalendarID"));
        AddNewCalendar(id, calendars.GetText("CalendarName"), id == 1 || id == 2 || plantCalendars.contains(id));
        if (!times.OpenSet(id, -1) || !exceptions.OpenSet(id))
            return false;
        LoadWorkingTimes(id, times);
        LoadExceptions(id, exceptions);
    }
    return true;
}

void CFacilityCalendar::LoadWorkingTimes(int id, CCalendarWorkingTimesSet& times)
{
    for (; !times.IsEOF(); times.MoveNext()) {
        if (!times.GetBool("Working"))
            continue;
        const long day = times.GetLong("DayOfWeek");
        const auto weekDay = DataCalendar::WeekDay(day >= 1 && day <= 7 ? day : 0);
        for (int window = 0; window < CALENDAR_MAX_WINDOWS; ++window) {
            if (CalendarWindowSet(times, window))
                SetCalendarShift(id, weekDay, CalendarWindowEnd(times, window, 0), CalendarWindowEnd(times, window, 1));
        }
    }
}

// A range first (the zero window), then its windows; a range without both dates is skipped.
void CFacilityCalendar::LoadExceptions(int id, CCalendarExceptionSet& exceptions)
{
    for (; !exceptions.IsEOF(); exceptions.MoveNext()) {
        if (exceptions.IsFieldNull("FromDate") || exceptions.IsFieldNull("ToDate"))
            continue;
        const double from = exceptions.GetDate("FromDate"), to = exceptions.GetDate("ToDate");
        SetCalendarException(id, from, to, 0.0, 0.0);
        for (int window = 0; window < CALENDAR_MAX_WINDOWS; ++window) {
            if (CalendarWindowSet(exceptions, window))
                SetCalendarException(id, from, to, CalendarWindowEnd(exceptions, window, 0),
                                     CalendarWindowEnd(exceptions, window, 1));
        }
    }
}

// Every calendar row rewritten in one transaction; the marks follow the commit.
bool CFacilityCalendar::SaveCalendars()
{
    CDaoDatabase* database = GetProjectDatabase();
    if (!database || !database->IsOpen())
        return false;
    QList<int> ids;
    QStringList names;
    GetCalendarIds(ids, names);
    QList<int> modified;
    for (int id : ids) {
        if (IsCalendarModified(id))
            modified << id;
    }
    try {
        CDaoTransaction transaction(*database);
        WriteCalendars();
        transaction.Commit();
    } catch (const CDaoException& error) {
        QvMessageBox(error.GetErrorDescription());
        return false;
    }
    for (int id : modified)
        MarkStepsForResimulation(RESIM_CALENDAR, id);
    return true;
}

void CFacilityCalendar::WriteCalendars()
{
    QList<int> ids;
    QStringList names;
    GetCalendarIds(ids, names);
    QList<QVariantList> calendarRows, dayRows, exceptionRows;
    for (qsizetype i = 0; i < ids.size(); ++i) {
        const int id = ids[i];
        calendarRows << QVariantList{id, names[i]};
        for (int day = DataCalendar::Sunday; day <= DataCalendar::Saturday; ++day) {
            QList<double> from, to;
            GetCalendarShifts(id, DataCalendar::WeekDay(day), from, to);
            dayRows << (QVariantList{id, day, from.isEmpty() ? 0 : 1} + CalendarWindowValues(from, to));
        }
        QList<double> fromDates, toDates;
        GetCalendarExceptionDates(id, fromDates, toDates);
        for (qsizetype j = 0; j < fromDates.size(); ++j) {
            bool working = false;
            QList<double> from, to;
            GetCalendarExceptionTimes(id, working, fromDates[j], from, to);
            exceptionRows << (QVariantList{id, fromDates[j], toDates[j], working ? 1 : 0} +
                              CalendarWindowValues(from, to));
        }
    }
    CDaoDatabase& database = *GetProjectDatabase();
    ReplaceTableRows(database, "TblCalendar", {"CalendarID", "CalendarName"}, QString(), QVariant(), calendarRows);
    ReplaceTableRows(database, "TblCalendarWorkingTimes", QStringList{"CalendarID", "DayOfWeek", "Working"} + CALENDAR_WINDOW_COLUMNS,
                     QString(), QVariant(), dayRows);
    ReplaceTableRows(database, "TblCalendarException",
                     QStringList{"CalendarID", "FromDate", "ToDate", "Working"} + CALENDAR_WINDOW_COLUMNS, QString(),
                     QVariant(), exceptionRows);
}
