#pragma once
// [Step]: the step's own row in its step database.

#include "foundation/db/recordsets/DaoRecordset.h"

class CStepSet : public CDaoRecordset {
public:
    CStepSet() : CDaoRecordset(Definition()) {}
    // "" = the step's registered database; another path gets a connection of its own.
    bool OpenSet(long stepID, const QString& dbPath = QString());
    void CloseSet() { CDaoRecordset::CloseSet(); }
    static const DaoRecordsetDef& Definition();
};
