#pragma once
// [Options]: the name of the project's option set in its first row. Constructed on the caller's
// database and opened by the caller (Open, Edit/Update, Close).

#include "foundation/db/recordsets/DaoRecordset.h"

class COptionsSet : public CDaoRecordset {
public:
    explicit COptionsSet(CDaoDatabase* database = nullptr) : CDaoRecordset(Definition(), database) {}
    static const DaoRecordsetDef& Definition();
};
