#pragma once
// [QryUnitProcedureForUnitProcedureID]: one unit procedure of a step; name, primary equipment and
// comments are written to [UnitProcedure].

#include "foundation/db/recordsets/DaoRecordset.h"

class CUnitProcedureSet : public CDaoRecordset {
public:
    CUnitProcedureSet() : CDaoRecordset(Definition()) {}
    bool OpenSet(long stepID, long unitProcedureID);
    void CloseSet() { CDaoRecordset::CloseSet(); }
    static const DaoRecordsetDef& Definition();
};
