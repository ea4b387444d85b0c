#include "shell/bridge/ManagedStreams.h"

#include "shell/bridge/ManagedSide.h"

QList<StreamReference> CManagedStreams::StreamUsedInOtherOperation(long stepID, long operationID)
{
    QList<StreamReference> streams;
    for (const CStreamReference& stream : GetManagedSide()->DotNetStreamUsedInOtherOperation(stepID, operationID))
        streams.append({stream.streamName, stream.operationNames});
    return streams;
}

void CManagedStreams::NotifyStreamUpdate(long stepID)
{
    GetManagedSide()->DotNetNotifyStreamUpdate(stepID);
}
