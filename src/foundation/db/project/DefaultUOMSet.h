#pragma once
// [PREFER-UnitsOfMeasureSet]: the project's default input and output unit-of-measure sets
// (InputUOMSetID, OutputUOMSetID; one row). The preferences add the row when the table is empty
// and edit it otherwise.

#include "foundation/db/recordsets/DaoRecordset.h"

class CDefaultUOMSet : public CDaoRecordset {
public:
    CDefaultUOMSet() : CDaoRecordset(Definition()) {}
    // False without a message when the project database is not open.
    bool OpenSet() { return OpenOnProjectDatabase(QString()); }
    void CloseSet() { CDaoRecordset::CloseSet(); }
    static const DaoRecordsetDef& Definition();
};
