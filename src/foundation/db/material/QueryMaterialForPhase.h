#pragma once
// [QryMaterialForPhase]: the materials of one phase ("Gas", "Liquid", "Solid") of the project's
// material database, by name. The set has its own connection, kept from the first OpenSet until the
// object goes; CloseSet closes only the set.

#include "foundation/db/recordsets/DaoRecordset.h"

class CQueryMaterialForPhase : public CDaoRecordset {
public:
    CQueryMaterialForPhase() : CDaoRecordset(Definition()) {}
    // An open set is read again for the phase given now. False after "Database file is not opend
    // yet!" when the material database does not open.
    bool OpenSet(const QString& phase);
    void CloseSet();
    static const DaoRecordsetDef& Definition();
};
