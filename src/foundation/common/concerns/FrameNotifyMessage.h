#pragma once
// Notifications that sibling modules and the managed side send to the main frame. The numbers
// are kept (WM_USER + 100 .. + 131) so senders and the frame agree on them. The frame installs
// itself as the receiver; without one a notification goes nowhere.

#include <QtGlobal>

constexpr int WM_USER = 0x0400;

enum class FrameNotifyMessage : int {
    First = WM_USER + 100,
    RefreshPanes = WM_USER + 102,
    LanguageChanged = WM_USER + 107,
    Preferences = WM_USER + 108,
    OperationEditor = WM_USER + 116,
    EquipmentEditor = WM_USER + 121,
    Last = WM_USER + 131,
};

inline bool IsFrameNotifyMessage(int message)
{
    return message >= int(FrameNotifyMessage::First) && message <= int(FrameNotifyMessage::Last);
}

class FrameNotifyReceiver {
public:
    virtual ~FrameNotifyReceiver() = default;
    // True when a handler of the message ran.
    virtual bool OnFrameNotify(int message, qintptr wParam = 0, qintptr lParam = 0) = 0;
};

// Delivers the message to the installed receiver; false without one or without a handler.
bool SendFrameNotify(FrameNotifyMessage message, qintptr wParam = 0, qintptr lParam = 0);
