#pragma once
// [TblCommentData] of one step database: the step's own comments (OperationID 0) of one comment type.

#include "foundation/db/recordsets/DaoRecordset.h"

class CQryTblCommentDataForCommentTypeSet : public CDaoRecordset {
public:
    CQryTblCommentDataForCommentTypeSet() : CDaoRecordset(Definition()) {}
    // False when the step has no open database or the read fails; an open set re-queries.
    bool OpenSet(long stepID, long commentTypeID);
    void CloseSet() { CDaoRecordset::CloseSet(); }
    static const DaoRecordsetDef& Definition();
};
