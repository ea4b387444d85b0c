#pragma once
// The calendar model of the calendar editor: every calendar of a project in memory, each with up
// to five working windows per weekday and dated exceptions with their own windows, and the
// calendar chosen in the editor. A subclass loads the model (slot 1) and stores it (slot 2); the
// editor calls both. Times of day are OLE day fractions (an end at midnight is 1.0), dates OLE days.

#include <QList>
#include <QString>
#include <QStringList>
#include <array>

namespace DataCalendar {
enum WeekDay { NoDay = 0, Sunday = 1, Monday, Tuesday, Wednesday, Thursday, Friday, Saturday };
}

constexpr int CALENDAR_MAX_WINDOWS = 5;

struct CalendarWindow {
    double from = 0.0;
    double to = 0.0;
    bool operator==(const CalendarWindow&) const = default;
};

struct CalendarException {
    double fromDate = 0.0;
    double toDate = 0.0;
    QList<CalendarWindow> windows; // worked when there is one
    bool operator==(const CalendarException&) const = default;
};

struct CalendarData {
    int id = 0;
    QString name;
    bool inUse = false;
    std::array<QList<CalendarWindow>, 8> days; // index = weekday; 0 is never filled
    QList<CalendarException> exceptions;       // one per start date, in the order added
    bool operator==(const CalendarData&) const = default;
};

class CCalendar {
public:
    virtual ~CCalendar() = default;
    // Slot 1: fills the model; false when the calendars could not be read.
    virtual bool LoadCalendars() { return true; }
    // Slot 2: stores the model; false when nothing was stored.
    virtual bool SaveCalendars() { return true; }

    // Empties the model, runs slot 1 and remembers what it read as the unmodified state.
    bool Load();

    // The operations a loader and a saver use.
    void AddNewCalendar(int id, const QString& name, bool inUse);
    void SetCalendarShift(int id, DataCalendar::WeekDay day, double from, double to);
    void SetCalendarException(int id, double fromDate, double toDate, double fromTime, double toTime);
    void GetCalendarIds(QList<int>& ids, QStringList& names) const;
    bool IsCalendarModified(long id) const;
    void GetCalendarShifts(int id, DataCalendar::WeekDay day, QList<double>& from, QList<double>& to) const;
    void GetCalendarExceptionDates(int id, QList<double>& from, QList<double>& to) const;
    void GetCalendarExceptionTimes(int id, bool& working, double fromDate, QList<double>& from,
                                   QList<double>& to) const;

    // The editor's operations.
    const QList<CalendarData>& calendars() const { return m_calendars; }
    const CalendarData* calendar(int id) const;
    int AddCalendar(const QString& name); // the highest id + 1
    bool RenameCalendar(int id, const QString& name);
    bool DeleteCalendar(int id); // refused while in use
    void SetDayWindows(int id, DataCalendar::WeekDay day, const QList<CalendarWindow>& windows);
    bool SetException(int id, const CalendarException& exception); // replaces one with its start date
    void RemoveException(int id, double fromDate);
    int GetCurrentCalendar() const { return m_current; }
    void SetCurrentCalendar(int id) { m_current = id; }

private:
    CalendarData* find(int id);
    const CalendarData* loaded(int id) const;

    QList<CalendarData> m_calendars;
    QList<CalendarData> m_loaded;
    int m_current = -1;
};
