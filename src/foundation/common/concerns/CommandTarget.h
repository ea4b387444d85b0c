#pragma once
// A pane or window that decides some commands itself. The frame asks the focused one first,
// then the active document window, before its own rule. Only the command dispatcher runs its
// commands (CommandDispatcher.h); its own toolbar and menus send them there.

#include <QString>

class QVariant;

class CommandTarget {
public:
    virtual ~CommandTarget() = default;
    virtual bool HandlesCommand(int commandID) const = 0;
    virtual bool IsCommandEnabled(int commandID) const = 0;
    virtual bool IsCommandChecked(int /*commandID*/) const { return false; }
    // The menu text the command shows now; "" keeps the text it has.
    virtual QString CommandText(int /*commandID*/) const { return QString(); }
    virtual void OnCommand(int commandID) = 0;
    // A command given for one item (a context menu's hit item); the selection's by default.
    virtual void OnCommandAt(int commandID, const QVariant& /*hitItem*/) { OnCommand(commandID); }
    // After each dispatched command: the target's own buttons follow.
    virtual void RefreshCommandStates() {}
};
