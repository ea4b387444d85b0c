#pragma once
// A pane or window that decides some commands itself. The frame asks the focused one first,
// then the active document window, before its own rule.

class CommandTarget {
public:
    virtual ~CommandTarget() = default;
    virtual bool HandlesCommand(int commandID) const = 0;
    virtual bool IsCommandEnabled(int commandID) const = 0;
    virtual bool IsCommandChecked(int commandID) const { return false; }
    virtual void OnCommand(int commandID) = 0;
};
