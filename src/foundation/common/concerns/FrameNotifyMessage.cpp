#include "foundation/common/concerns/FrameNotifyMessage.h"

#include "foundation/common/ServiceSlot.h"

bool SendFrameNotify(FrameNotifyMessage message, qintptr wParam, qintptr lParam)
{
    FrameNotifyReceiver* frame = ServiceSlot<FrameNotifyReceiver>::Get();
    return frame && frame->OnFrameNotify(int(message), wParam, lParam);
}
