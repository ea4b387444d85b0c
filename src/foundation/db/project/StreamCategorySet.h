#pragma once
// [StreamCategoryTable]: the stream categories with their disposal costs, in category id order.
// The parameter CatID selects one category's row, or every row with -1.

#include "foundation/db/recordsets/DaoRecordset.h"

class CStreamCategorySet : public CDaoRecordset {
public:
    CStreamCategorySet() : CDaoRecordset(Definition()) {}
    // An open set re-queries with the new id.
    bool OpenSet(long catID);
    void CloseSet() { CDaoRecordset::CloseSet(); }
    static const DaoRecordsetDef& Definition();
};
