#pragma once
// [TblCommentLibrary]: the comment types, in table order (1 is the general type).

#include "foundation/db/recordsets/DaoRecordset.h"

class CCommentTypeSet : public CDaoRecordset {
public:
    CCommentTypeSet() : CDaoRecordset(Definition()) {}
    bool OpenSet();
    void CloseSet() { CDaoRecordset::CloseSet(); }
    static const DaoRecordsetDef& Definition();
};
