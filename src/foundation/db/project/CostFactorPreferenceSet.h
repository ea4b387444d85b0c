#pragma once
// The cost factors of one kind ("Capital", "Direct Product", "Fixed Cost", "Indirect Product",
// "Processing") in the order the user gave them. Opening it again re-reads with the kind given then.

#include "foundation/db/recordsets/DaoRecordset.h"

class CCostFactorPreferenceSet : public CDaoRecordset {
public:
    CCostFactorPreferenceSet() : CDaoRecordset(Definition()) {}
    // False after "Can't open Cost Factor Preference table for update!" when the project database
    // is not open, after the engine's description when the read fails.
    bool OpenSet(const QString& costFactorType);
    void CloseSet() { CDaoRecordset::CloseSet(); }
    static const DaoRecordsetDef& Definition();
};

extern const char* const COST_FACTOR_UPDATE_MESSAGE;
