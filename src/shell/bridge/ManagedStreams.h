#pragma once
// The managed side's stream questions offered to the subsystems: which other operations use an
// operation's streams, and the notice that a step's streams changed.

#include "foundation/common/concerns/StreamServices.h"

class CManagedStreams : public StreamServices {
public:
    QList<StreamReference> StreamUsedInOtherOperation(long stepID, long operationID) override;
    void NotifyStreamUpdate(long stepID) override;
};
