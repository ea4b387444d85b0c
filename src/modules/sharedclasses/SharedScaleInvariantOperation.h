#pragma once
// The step's operations that scaling leaves alone, as the scaling dialog stores them. Raises
// CDaoException on a database error.

#include "foundation/common/Array.h"

#include <QString>

class CSharedScaleInvariantOperation {
public:
    // In stored order; false when the step has no open database.
    static bool getScaleInvariantOperationSet(long stepID, Array<long>& operationIDs);
    // Replaces the step's list in one transaction (nested in the caller's); false, writing nothing,
    // for lists of unequal length.
    static bool updateScaleInvariantOperationSet(long stepID, Array<long> operationIDs, Array<QString> texts);
};
