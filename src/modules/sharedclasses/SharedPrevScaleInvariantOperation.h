#pragma once
// The list of operations that scaling left alone, kept beside the current one when the scaling
// dialog stores it. Only written: the current list (SharedScaleInvariantOperation.h) is the one read.

#include "foundation/common/Array.h"

#include <QString>

class CSharedPrevScaleInvariantOperation {
public:
    // As CSharedScaleInvariantOperation::updateScaleInvariantOperationSet.
    static bool updatePrevScaleInvariantOperationSet(long stepID, Array<long> operationIDs, Array<QString> texts);
};
