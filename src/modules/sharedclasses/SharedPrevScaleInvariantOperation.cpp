#include "modules/sharedclasses/SharedPrevScaleInvariantOperation.h"

#include "modules/sharedclasses/ScaleInvariantOperationRows.h"

bool CSharedPrevScaleInvariantOperation::updatePrevScaleInvariantOperationSet(long stepID, Array<long> operationIDs,
                                                                              Array<QString> texts)
{
    static const CScaleInvariantOperationRows previousSet(QStringLiteral("PrevScaleInvariantOperation"));
    return previousSet.Replace(stepID, operationIDs, texts);
}
