#pragma once
// [QrySimulationOptionByType]: the simulation options row of one option type ("BATCH", "PLAN",
// "SCALEUP", "DESIGN"); edits go to [SimulationOptions] by its row key. An open set re-queries
// with the new type.

#include "foundation/db/recordsets/DaoRecordset.h"

class CSimulationOptionsSet : public CDaoRecordset {
public:
    CSimulationOptionsSet() : CDaoRecordset(Definition()) {}
    bool OpenSet(const QString& optionType);
    void CloseSet() { CDaoRecordset::CloseSet(); }
    static const DaoRecordsetDef& Definition();
};
