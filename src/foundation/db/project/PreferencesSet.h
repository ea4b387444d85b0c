#pragma once
// [Preferences]: the name of the project's preferences set in its first row. Constructed on the caller's
// database and opened by the caller (Open, Edit/Update, Close).

#include "foundation/db/recordsets/DaoRecordset.h"

class CPreferencesSet : public CDaoRecordset {
public:
    explicit CPreferencesSet(CDaoDatabase* database = nullptr) : CDaoRecordset(Definition(), database) {}
    static const DaoRecordsetDef& Definition();
};
