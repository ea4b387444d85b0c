#pragma once
// [Project]: the project's one row (name, description, counters).

#include "foundation/db/recordsets/DaoRecordset.h"

class CProjectSet : public CDaoRecordset {
public:
    CProjectSet() : CDaoRecordset(Definition()) {}
    // "" = the open project database; another path (a template's preview) is opened for reading.
    bool OpenSet(const QString& dbPath = QString());
    void CloseSet() { CDaoRecordset::CloseSet(); }
    static const DaoRecordsetDef& Definition();
};
