#pragma once
// A step's text-recipe rows in recipe order with what their lines show, in one read: the unit
// procedure's name and comments beside its row, the operation's label, type, recipe, range and
// comment texts beside its row. The Found... ids are null when the row's item is missing. Read-only.

#include "foundation/db/DaoRecordset.h"

class CRecipeLineSet : public CDaoRecordset {
public:
    CRecipeLineSet() : CDaoRecordset(Definition()) { SetErrorMode(DaoErrorMode::Quiet); }
    // The step's registered database; false without a message when it does not open.
    bool OpenSet(long stepID);
    void CloseSet() { CDaoRecordset::CloseSet(); }
    static const DaoRecordsetDef& Definition();
};
