#pragma once
// [QryUnitByQuantity]: the units the library offers for one quantity kind, in the order the lists
// show them. The kind compares ignoring case ("time" finds the units of "Time").

#include "foundation/db/recordsets/DaoRecordset.h"

class CUnitsLibrarySet : public CDaoRecordset {
public:
    CUnitsLibrarySet() : CDaoRecordset(Definition()) {}
    // "" = the open project database; another path is opened for reading on its own connection.
    bool OpenSet(const QString& dbPath, const QString& quantity);
    void CloseSet() { CDaoRecordset::CloseSet(); }
    // The current row's unit (the column "Unit").
    QString Unit() const { return GetText(QStringLiteral("Unit")); }
    static const DaoRecordsetDef& Definition();
};
