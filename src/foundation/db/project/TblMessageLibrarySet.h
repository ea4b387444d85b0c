#pragma once
// [TblMessageLibrary]: the simulation messages with their type, text, severity level and source.

#include "foundation/db/project/QVDaoRecordset.h"

class CTblMessageLibrarySet : public CQVDaoRecordset {
public:
    CTblMessageLibrarySet() : CQVDaoRecordset(Definition()) {}
    // The highest Level of the table (0 when empty); the set is left on its first row.
    long GetMaxLevel();
    static const DaoRecordsetDef& Definition();
};
