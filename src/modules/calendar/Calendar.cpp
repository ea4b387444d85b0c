#include "modules/calendar/Calendar.h"

#include <algorithm>

namespace {
bool IsWeekDay(DataCalendar::WeekDay day) { return day >= DataCalendar::Sunday && day <= DataCalendar::Saturday; }
} // namespace

bool CCalendar::Load()
{
    m_calendars.clear();
    m_loaded.clear();
    const bool loaded = LoadCalendars();
    m_loaded = m_calendars;
    return loaded;
}

CalendarData* CCalendar::find(int id)
{
    auto found = std::find_if(m_calendars.begin(), m_calendars.end(), [id](const CalendarData& c) { return c.id == id; });
    return found == m_calendars.end() ? nullptr : &*found;
}

const CalendarData* CCalendar::calendar(int id) const
{
    for (const CalendarData& c : m_calendars) {
        if (c.id == id)
            return &c;
    }
    return nullptr;
}

const CalendarData* CCalendar::loaded(int id) const
{
    for (const CalendarData& c : m_loaded) {
        if (c.id == id)
            return &c;
    }
    return nullptr;
}

void CCalendar::AddNewCalendar(int id, const QString& name, bool inUse)
{
    if (find(id))
        return;
    CalendarData added;
    added.id = id;
    added.name = name;
    added.inUse = inUse;
    m_calendars.append(added);
}

void CCalendar::SetCalendarShift(int id, DataCalendar::WeekDay day, double from, double to)
{
    CalendarData* c = find(id);
    if (c && IsWeekDay(day))
        c->days[day].append({from, to});
}

// A zero window adds the range alone; any other adds a window to the range that starts there.
void CCalendar::SetCalendarException(int id, double fromDate, double toDate, double fromTime, double toTime)
{
    CalendarData* c = find(id);
    if (!c)
        return;
    auto range = std::find_if(c->exceptions.begin(), c->exceptions.end(),
                              [fromDate](const CalendarException& e) { return e.fromDate == fromDate; });
    if (range == c->exceptions.end()) {
        c->exceptions.append({fromDate, toDate, {}});
        range = c->exceptions.end() - 1;
    }
    if (fromTime != 0.0 || toTime != 0.0)
        range->windows.append({fromTime, toTime});
}

void CCalendar::GetCalendarIds(QList<int>& ids, QStringList& names) const
{
    ids.clear();
    names.clear();
    for (const CalendarData& c : m_calendars) {
        ids << c.id;
        names << c.name;
    }
}

bool CCalendar::IsCalendarModified(long id) const
{
    const CalendarData* now = calendar(int(id));
    const CalendarData* before = loaded(int(id));
    return !now || !before || !(*now == *before);
}

void CCalendar::GetCalendarShifts(int id, DataCalendar::WeekDay day, QList<double>& from, QList<double>& to) const
{
    from.clear();
    to.clear();
    const CalendarData* c = calendar(id);
    if (!c || !IsWeekDay(day))
        return;
    for (const CalendarWindow& window : c->days[day]) {
        from << window.from;
        to << window.to;
    }
}

void CCalendar::GetCalendarExceptionDates(int id, QList<double>& from, QList<double>& to) const
{
    from.clear();
    to.clear();
    if (const CalendarData* c = calendar(id)) {
        for (const CalendarException& e : c->exceptions) {
            from << e.fromDate;
            to << e.toDate;
        }
    }
}

void CCalendar::GetCalendarExceptionTimes(int id, bool& working, double fromDate, QList<double>& from,
                                          QList<double>& to) const
{
    working = false;
    from.clear();
    to.clear();
    const CalendarData* c = calendar(id);
    for (const CalendarException& e : c ? c->exceptions : QList<CalendarException>()) {
        if (e.fromDate != fromDate)
            continue;
        working = !e.windows.isEmpty();
        for (const CalendarWindow& window : e.windows) {
            from << window.from;
            to << window.to;
        }
    }
}

int CCalendar::AddCalendar(const QString& name)
{
    int highest = 0;
    for (const CalendarData& c : m_calendars)
        highest = std::max(highest, c.id);
    AddNewCalendar(highest + 1, name, false);
    return highest + 1;
}

bool CCalendar::RenameCalendar(int id, const QString& name)
{
    CalendarData* c = find(id);
    if (c)
        c->name = name;
    return c != nullptr;
}

bool CCalendar::DeleteCalendar(int id)
{
    const CalendarData* c = calendar(id);
    if (!c || c->inUse)
        return false;
    m_calendars.removeIf([id](const CalendarData& each) { return each.id == id; });
    if (m_current == id)
        m_current = -1;
    return true;
}

void CCalendar::SetDayWindows(int id, DataCalendar::WeekDay day, const QList<CalendarWindow>& windows)
{
    CalendarData* c = find(id);
    if (c && IsWeekDay(day))
        c->days[day] = windows;
}

bool CCalendar::SetException(int id, const CalendarException& exception)
{
    CalendarData* c = find(id);
    if (!c)
        return false;
    RemoveException(id, exception.fromDate);
    c->exceptions.append(exception);
    return true;
}

void CCalendar::RemoveException(int id, double fromDate)
{
    if (CalendarData* c = find(id))
        c->exceptions.removeIf([fromDate](const CalendarException& e) { return e.fromDate == fromDate; });
}
