#pragma once
// The unit procedure and operation lines of a step's text recipe in recipe order (the order of
// [QryTextRecipe]): what an outline of the recipe shows. Read-only.

#include "foundation/db/recordsets/DaoRecordset.h"

class CRecipeOutlineSet : public CDaoRecordset {
public:
    CRecipeOutlineSet() : CDaoRecordset(Definition()) {}
    // The step's registered database; false without a message when it is not open.
    bool OpenSet(long stepID);
    void CloseSet() { CDaoRecordset::CloseSet(); }
    static const DaoRecordsetDef& Definition();
};
