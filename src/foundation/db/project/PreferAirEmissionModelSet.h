#pragma once
// [PREFER-AirEmission]: the ranked emission models of one equipment kind of one operation type,
// by rank. Rewrite(...) replaces the ranks 1 to 8 of a kind; ranks outside stay stored.

#include "foundation/db/recordsets/DaoRecordset.h"

#include <QList>

class CPreferAirEmissionModelSet : public CDaoRecordset {
public:
    CPreferAirEmissionModelSet() : CDaoRecordset(Definition()) {}
    bool OpenSet(long operationTypeID, long equipmentKindID);
    void CloseSet() { CDaoRecordset::CloseSet(); }
    static const DaoRecordsetDef& Definition();

    // The kind's rows of ranks 1 to 8 become the models in order, numbered 1, 2, 3 ...; two
    // kept statements. Raises CDaoException; the caller holds the transaction.
    static void Rewrite(CDaoDatabase& database, long operationTypeID, long equipmentKindID,
                        const QList<long>& modelIDs);
};
