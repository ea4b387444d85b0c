#pragma once
// Base of the recordsets over the open project's equipment database: each opens its own
// connection to the working copy (shared by the layer when the file is open already).

#include "foundation/db/recordsets/DaoRecordset.h"

class CEquipmentRecordset : public CDaoRecordset {
public:
    using CDaoRecordset::CDaoRecordset;
    void CloseSet() { CDaoRecordset::CloseSet(); }

protected:
    // "" = the equipment database of the open project; false without one.
    bool OpenOnEquipmentFile(const QString& path = QString());
};
