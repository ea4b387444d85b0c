#pragma once
// [QryUOMSetDetailByUOMSetID]: the unit one set chose for each quantity kind, in UOMType order,
// with the kind's display name. UOMSetID, UOMType and Unit are written to [TblUOMSetDetail].

#include "foundation/db/recordsets/DaoRecordset.h"

class CUOMSetDetail : public CDaoRecordset {
public:
    CUOMSetDetail() : CDaoRecordset(Definition()) {}
    // The rows of that set in the open project database; an open set re-reads with the new id.
    bool OpenSet(long setID);
    void CloseSet() { CDaoRecordset::CloseSet(); }
    static const DaoRecordsetDef& Definition();
};
