#pragma once
// [QryOperationDefaults]: the global defaults of operation variables in their display order;
// values are edited in place in [OperationDefaults]. The vapour emission parameters are not among them.

#include "foundation/db/recordsets/DaoRecordset.h"

class CQueryOperationDefaultSet : public CDaoRecordset {
public:
    CQueryOperationDefaultSet() : CDaoRecordset(Definition()) {}
    // False without a project database; with a message when it is not open.
    bool OpenSet();
    void CloseSet() { CDaoRecordset::CloseSet(); }
    static const DaoRecordsetDef& Definition();
};
