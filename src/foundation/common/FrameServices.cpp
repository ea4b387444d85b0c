#include "foundation/common/FrameServices.h"

#include "foundation/common/ServiceSlot.h"

FrameServices* SetFrameServices(FrameServices* frame) { return ServiceSlot<FrameServices>::Set(frame); }
FrameServices* GetFrameServices() { return ServiceSlot<FrameServices>::Get(); }
