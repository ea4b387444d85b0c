#pragma once
// [Step], read for the label and facility of a step: name, version and plant. Read-only.

#include "foundation/db/recordsets/DaoRecordset.h"

class CStepLabelSet : public CDaoRecordset {
public:
    CStepLabelSet() : CDaoRecordset(Definition()) {}
    // The step's registered database; false without a message when it is not open.
    bool OpenSet(long stepID) { return OpenOnStepDatabase(stepID); }
    void CloseSet() { CDaoRecordset::CloseSet(); }
    static const DaoRecordsetDef& Definition();
};
