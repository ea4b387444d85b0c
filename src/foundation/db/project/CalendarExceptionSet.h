#pragma once
// [TblCalendarException]: the dated exceptions of a calendar (-1: of every calendar).

#include "foundation/db/recordsets/DaoRecordset.h"

class CCalendarExceptionSet : public CDaoRecordset {
public:
    CCalendarExceptionSet() : CDaoRecordset(Definition()) {}
    virtual bool OpenSet(long calendarID);
    void CloseSet() { CDaoRecordset::CloseSet(); }
    static const DaoRecordsetDef& Definition();
};
