#pragma once
// The component rows of a predefined mixture (or, for -1, of every mixture) in row order, read
// from the project's material database or the given file. Each open makes a fresh connection.

#include "foundation/db/recordsets/DaoRecordset.h"

class CMixtureSet : public CDaoRecordset {
public:
    CMixtureSet() : CDaoRecordset(Definition()) {}
    // "" = the project's material database; false after the database's message.
    bool OpenSet(long materialID, const QString& dbPath = QString());
    void CloseSet() { CDaoRecordset::CloseSet(); }
    static const DaoRecordsetDef& Definition();
};
