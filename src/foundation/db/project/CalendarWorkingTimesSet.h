#pragma once
// [TblCalendarWorkingTimes]: the working windows of a calendar per weekday (-1: every
// calendar, every day).

#include "foundation/db/recordsets/DaoRecordset.h"

class CCalendarWorkingTimesSet : public CDaoRecordset {
public:
    CCalendarWorkingTimesSet() : CDaoRecordset(Definition()) {}
    virtual bool OpenSet(long calendarID, long day);
    void CloseSet() { CDaoRecordset::CloseSet(); }
    static const DaoRecordsetDef& Definition();
};
