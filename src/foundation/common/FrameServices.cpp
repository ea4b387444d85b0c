#include "foundation/common/FrameServices.h"

namespace {
FrameServices* g_frameServices = nullptr;
}

FrameServices* SetFrameServices(FrameServices* frame)
{
    FrameServices* previous = g_frameServices;
    g_frameServices = frame;
    return previous;
}

FrameServices* GetFrameServices() { return g_frameServices; }
