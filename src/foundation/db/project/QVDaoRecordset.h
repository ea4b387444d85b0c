#pragma once
// A recordset opened on a database its caller gives; an open set re-queries.

#include "foundation/db/recordsets/DaoRecordset.h"

class CQVDaoRecordset : public CDaoRecordset {
public:
    explicit CQVDaoRecordset(const DaoRecordsetDef& def) : CDaoRecordset(def) {}
    virtual bool OpenSet(CDaoDatabase* database) { return OpenOnDatabase(database); }
    void CloseSet() { CDaoRecordset::CloseSet(); }
};
