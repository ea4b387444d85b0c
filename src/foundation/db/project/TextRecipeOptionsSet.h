#pragma once
// [TextRecipeOptions]: the display options of the text recipe (Options = the name, Value); also
// the comment types shown ("CommentTypeID" rows).

#include "foundation/db/recordsets/DaoRecordset.h"

class CTextRecipeOptionsSet : public CDaoRecordset {
public:
    CTextRecipeOptionsSet() : CDaoRecordset(Definition()) {}
    bool OpenSet();
    void CloseSet() { CDaoRecordset::CloseSet(); }
    static const DaoRecordsetDef& Definition();
};
