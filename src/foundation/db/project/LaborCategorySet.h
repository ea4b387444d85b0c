#pragma once
// [TblLaborCategory]: the project's labour grades, in grade id order.

#include "foundation/db/recordsets/DaoRecordset.h"

class CLaborCategorySet : public CDaoRecordset {
public:
    CLaborCategorySet() : CDaoRecordset(Definition()) {}
    bool OpenSet();
    void CloseSet() { CDaoRecordset::CloseSet(); }
    static const DaoRecordsetDef& Definition();
};
