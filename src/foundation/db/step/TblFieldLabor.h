#pragma once
// [TblFieldData] of one step database: the operation fields of type 'LaborID' naming one labour
// grade. Read-only.

#include "foundation/db/recordsets/DaoRecordset.h"

class CTblFieldLabor : public CDaoRecordset {
public:
    CTblFieldLabor() : CDaoRecordset(Definition()) {}
    // False without a message when the database is missing or closed; after the engine's
    // description when the read fails.
    bool OpenSet(CDaoDatabase* database, long laborID);
    void CloseSet() { CDaoRecordset::CloseSet(); }
    static const DaoRecordsetDef& Definition();
};
