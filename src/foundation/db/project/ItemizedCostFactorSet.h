#pragma once
// The calculated items of direct product cost factors, with each item's name and type from the
// library: those of one cost factor in the order they were stored, or those of every cost factor
// of a kind, grouped by cost factor. Rows are added with CostFactorID and CalculatedCostFactorID.

#include "foundation/db/recordsets/DaoRecordset.h"

class CItemizedCostFactorSet : public CDaoRecordset {
public:
    CItemizedCostFactorSet() : CDaoRecordset(Definition()) {}
    bool OpenSet(long costFactorID);
    // Every cost factor of the kind at once, in stored order within each.
    bool OpenSetForType(const QString& costFactorType);
    void CloseSet() { CDaoRecordset::CloseSet(); }
    static const DaoRecordsetDef& Definition();
};
