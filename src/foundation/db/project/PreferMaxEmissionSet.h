#pragma once
// [PREFER-MaximumEmissions]: the worst-case status (Value) of each parameter of an emission model;
// model -1 reads every model's rows, each model's rows together.

#include "foundation/db/recordsets/DaoRecordset.h"

class CPreferMaxEmissionSet : public CDaoRecordset {
public:
    CPreferMaxEmissionSet() : CDaoRecordset(Definition()) {}
    // An open set answers true at once and keeps its model.
    bool OpenSet(long airEmissionModelID);
    void CloseSet() { CDaoRecordset::CloseSet(); }
    static const DaoRecordsetDef& Definition();
};
