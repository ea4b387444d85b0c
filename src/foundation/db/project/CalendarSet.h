#pragma once
// [TblCalendar]: the calendars of the project, one or (id -1) all of them.

#include "foundation/db/recordsets/DaoRecordset.h"

class CCalendarSet : public CDaoRecordset {
public:
    CCalendarSet() : CDaoRecordset(Definition()) {}
    virtual bool OpenSet(long calendarID, const QString& dbPath = QString());
    void CloseSet() { CDaoRecordset::CloseSet(); }
    static const DaoRecordsetDef& Definition();
};
