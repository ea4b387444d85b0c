#pragma once
// The parameters of the vapour emission models: the operation-default rows marked VaporEmission,
// in display order, each with its OperationDefaultID. WriteValues updates rows by that id.

#include "foundation/db/recordsets/DaoRecordset.h"

#include <QList>

// A row's value and unit as they are to be stored (a null QVariant stores NULL).
struct VaporEmissionValue {
    long operationDefaultID = -1;
    QVariant value;
    QVariant unit;
};

class CQueryVaporEmissionDefaults : public CDaoRecordset {
public:
    CQueryVaporEmissionDefaults() : CDaoRecordset(Definition()) {}
    bool OpenSet();
    void CloseSet() { CDaoRecordset::CloseSet(); }
    static const DaoRecordsetDef& Definition();

    // Sets CurrentDefaultValue and CurrentValueUOM of the vapour emission rows by id in one kept
    // statement; a vanished id is skipped. Raises CDaoException; the caller holds the transaction.
    static void WriteValues(CDaoDatabase& database, const QList<VaporEmissionValue>& values);
};
