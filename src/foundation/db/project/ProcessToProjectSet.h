#pragma once
// [Process-To-Project]: the processes of the project in table order; rows may be deleted.

#include "foundation/db/recordsets/DaoRecordset.h"

class CProcessToProjectSet : public CDaoRecordset {
public:
    CProcessToProjectSet() : CDaoRecordset(Definition()) {}
    // "" = the open project database; another path is opened for reading.
    bool OpenSet(const QString& dbPath = QString());
    void CloseSet() { CDaoRecordset::CloseSet(); }
    static const DaoRecordsetDef& Definition();
};
