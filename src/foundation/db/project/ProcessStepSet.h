#pragma once
// [QryStepInProcessVersion]: the steps of one process in step order. StepOrder is written to
// [Step-To-Process]; the names are read-only here.

#include "foundation/db/recordsets/DaoRecordset.h"

class CProcessStepSet : public CDaoRecordset {
public:
    CProcessStepSet() : CDaoRecordset(Definition()) {}
    // "" = the open project database; another path (a project being imported from) is opened for
    // reading.
    bool OpenSet(long processID, const QString& dbPath = QString());
    void CloseSet() { CDaoRecordset::CloseSet(); }
    static const DaoRecordsetDef& Definition();
};
