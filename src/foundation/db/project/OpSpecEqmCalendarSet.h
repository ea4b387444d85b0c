#pragma once
// [QryOperationSpecificEquipmentCalendar]: per operation type, whether it may start or end in the
// non-working time of an equipment calendar; by OperationID, the same order at every open.

#include "foundation/db/recordsets/DaoRecordset.h"

class COpSpecEqmCalendarSet : public CDaoRecordset {
public:
    COpSpecEqmCalendarSet() : CDaoRecordset(Definition()) {}
    bool OpenSet();
    void CloseSet() { CDaoRecordset::CloseSet(); }
    static const DaoRecordsetDef& Definition();
};
