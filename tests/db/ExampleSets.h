#pragma once
// Recordset classes written the way the real ones are: a declaration table and an OpenSet.

#include "foundation/db/DaoRecordset.h"

// Recipe rows of one step (or of every step with "all"), on the step's open database or a file.
class CExampleTextRecipeSet : public CDaoRecordset {
public:
    CExampleTextRecipeSet() : CDaoRecordset(Definition()) {}
    bool OpenSet(long stepID, const QString& itemType, const QString& dbPath = QString());
    void CloseSet() { CDaoRecordset::CloseSet(); }
    static const DaoRecordsetDef& Definition();
};

// One step of one process: StepOrder goes to [Step-To-Process], ProcessName to [Process].
class CExampleStepInProcessSet : public CDaoRecordset {
public:
    CExampleStepInProcessSet() : CDaoRecordset(Definition()) {}
    bool OpenSet(long processID);
    void CloseSet() { CDaoRecordset::CloseSet(); }
    static const DaoRecordsetDef& Definition();
};
