#include "modules/sharedclasses/SharedScaleInvariantOperation.h"

#include "modules/sharedclasses/ScaleInvariantOperationRows.h"

namespace {
const CScaleInvariantOperationRows CURRENT_SET(QStringLiteral("ScaleInvariantOperation"));
}

bool CSharedScaleInvariantOperation::getScaleInvariantOperationSet(long stepID, Array<long>& operationIDs)
{
    return CURRENT_SET.Read(stepID, operationIDs);
}

bool CSharedScaleInvariantOperation::updateScaleInvariantOperationSet(long stepID, Array<long> operationIDs,
                                                                      Array<QString> texts)
{
    return CURRENT_SET.Replace(stepID, operationIDs, texts);
}
