#pragma once
// The component categories of the regulatory-categories library, in library order, on a read-only
// connection of its own to the library file.

#include "foundation/db/recordsets/DaoRecordset.h"

class CQueryControlEfficiencyLib : public CDaoRecordset {
public:
    CQueryControlEfficiencyLib() : CDaoRecordset(Definition()) {}
    // The library at path ("" = the application's); false after "Can't open Cost Factor
    // Preference table for update!" when the file is missing.
    bool OpenSet(const QString& path = QString());
    void CloseSet() { CDaoRecordset::CloseSet(); }
    static const DaoRecordsetDef& Definition();
};
