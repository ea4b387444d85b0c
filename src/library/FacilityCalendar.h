#pragma once
// The project's calendars in the calendar editor's model: loaded from the three calendar tables,
// with a calendar in use when it is one of the two built-in ones or a facility works by it, and
// stored back in one transaction, after which the steps of every changed calendar are marked for
// a new simulation.

#include "modules/calendar/Calendar.h"

class CCalendarExceptionSet;
class CCalendarSet;
class CCalendarWorkingTimesSet;

class CFacilityCalendar : public CCalendar {
public:
    bool LoadCalendars() override;
    bool SaveCalendars() override;

private:
    bool LoadCalendarRows(CCalendarSet& calendars, const QList<long>& plantCalendars);
    void LoadWorkingTimes(int id, CCalendarWorkingTimesSet& times);
    void LoadExceptions(int id, CCalendarExceptionSet& exceptions);
    void WriteCalendars();
};
