#pragma once
// The rows of one of the step's lists of operations that scaling leaves alone: read in position
// order, or replaced as a whole. Raises CDaoException on a database error.

#include "foundation/common/Array.h"

#include <QString>

class CScaleInvariantOperationRows {
public:
    explicit CScaleInvariantOperationRows(QString table) : m_table(std::move(table)) {}
    // False when the step has no open database.
    bool Read(long stepID, Array<long>& operationIDs) const;
    // False for lists of unequal length or a step without an open database; nothing is written then.
    bool Replace(long stepID, const Array<long>& operationIDs, const Array<QString>& texts) const;

private:
    QString m_table;
};
