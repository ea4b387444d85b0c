#pragma once
// Notifications that sibling modules and the managed side send to the main frame. The numbers
// are kept (WM_USER + 100 .. + 131) so senders and the frame agree on them.

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
