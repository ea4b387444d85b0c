#pragma once
// The one way a command runs, whatever sent it: a menu, the frame's or a pane's toolbar, a context
// menu, a key or a notify message. The dispatcher refuses a command with a beep while IsBusy(),
// runs it on the target that handles it (else the frame's own handler) and then refreshes the
// command states. The main frame installs it; without one nothing runs.

#include <QVariant>

class CommandTarget;

// What a command acts on: the pane or view that sent it (null: the active one) and the item it
// was given for (a context menu's hit item; empty: the selection).
struct CommandRequest {
    int commandID = 0;
    CommandTarget* target = nullptr;
    QVariant hitItem;
};

class CommandDispatcher {
public:
    virtual ~CommandDispatcher() = default;
    // True when the command ran.
    virtual bool DispatchCommand(const CommandRequest& /*request*/) { return false; }
};

// Through the installed dispatcher; false without one.
bool DispatchCommand(int commandID, CommandTarget* target = nullptr, const QVariant& hitItem = QVariant());
