#pragma once
// [TblUOMTypes]: the quantity kinds every unit-of-measure set names a unit for, in UOMType order,
// with the text the grids show for each.

#include "foundation/db/recordsets/DaoRecordset.h"

class CUOMTypeSet : public CDaoRecordset {
public:
    CUOMTypeSet() : CDaoRecordset(Definition()) {}
    // The open project database; an open set re-reads its rows.
    bool OpenSet() { return OpenOnProjectDatabase(QStringLiteral("Database file is not opend yet!")); }
    void CloseSet() { CDaoRecordset::CloseSet(); }
    static const DaoRecordsetDef& Definition();
};
