#include "simulation/AutoSavePause.h"

#include "foundation/common/concerns/FrameServices.h"

CAutoSavePause::CAutoSavePause()
{
    if (ProjectLifecycleServices* frame = GetProjectLifecycleServices())
        frame->StopAutoSaveTimer();
}

CAutoSavePause::~CAutoSavePause()
{
    if (ProjectLifecycleServices* frame = GetProjectLifecycleServices())
        frame->ArmAutoSaveTimer();
}
