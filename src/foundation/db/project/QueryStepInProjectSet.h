#pragma once
// [QryStepInProject]: the steps that have a step database, with their process; one row per step
// and process, ordered by step id. Read-only.

#include "foundation/db/recordsets/DaoRecordset.h"

class CQueryStepInProjectSet : public CDaoRecordset {
public:
    CQueryStepInProjectSet() : CDaoRecordset(Definition()) {}
    // "" = the open project database; another path is opened for reading.
    bool OpenSet(const QString& dbPath = QString());
    void CloseSet() { CDaoRecordset::CloseSet(); }
    static const DaoRecordsetDef& Definition();
    // The steps of the open project (or of the project file at dbPath), each once, in step order;
    // false when the query cannot be read (its message shown or not, as `mode` says).
    static bool ReadStepIDs(QList<long>& stepIDs, DaoErrorMode mode, const QString& dbPath = QString());
};
