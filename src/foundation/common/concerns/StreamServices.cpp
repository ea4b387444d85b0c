#include "foundation/common/concerns/StreamServices.h"

#include "foundation/common/ServiceSlot.h"

StreamServices* SetStreamServices(StreamServices* services)
{
    return ServiceSlot<StreamServices>::Set(services);
}

QList<StreamReference> StreamUsedInOtherOperation(long stepID, long operationID)
{
    StreamServices* services = ServiceSlot<StreamServices>::Get();
    return services ? services->StreamUsedInOtherOperation(stepID, operationID) : QList<StreamReference>();
}

void NotifyStreamUpdate(long stepID)
{
    if (StreamServices* services = ServiceSlot<StreamServices>::Get())
        services->NotifyStreamUpdate(stepID);
}
