#pragma once
// [PREFER-ControlEfficiency]: the stored control efficiency (percent) of one component category,
// or of every category for the empty text. ReplaceCategories rewrites the rows of given categories.

#include "foundation/db/recordsets/DaoRecordset.h"

#include <QList>
#include <QPair>

class CQueryControlEfficiencyDefaults : public CDaoRecordset {
public:
    CQueryControlEfficiencyDefaults() : CDaoRecordset(Definition()) {}
    bool OpenSet(const QString& category);
    void CloseSet() { CDaoRecordset::CloseSet(); }
    static const DaoRecordsetDef& Definition();

    // Deletes the rows of the categories and inserts one row for each that has a value, in
    // order; two kept statements. Raises CDaoException; the caller holds the transaction.
    static void ReplaceCategories(CDaoDatabase& database, const QStringList& categories,
                                  const QList<QPair<QString, double>>& values);
};
