#pragma once
// The one way a scripting call reaches an object: by member name (without regard to case) or
// DISPID, as a get, a put or a call. The call holds its object for its whole length, converts
// the arguments to the member's types, refuses while the program is busy, and keeps every
// message a prompt showed during it (prompts answer their default button unseen, file and
// warning dialogs cancel).

#include "automation/AutomationError.h"
#include "automation/AutomationMember.h"

#include <QStringList>

#include <functional>
#include <memory>

class CAutomationObject;

enum class InvokeKind { Get, Put, Call };

struct AutomationResult {
    CAutomationVariant value;
    AutomationError error = AutomationError::None;
    QString text;        // the error's text, with the messages of the call after it
    QStringList messages; // what prompts said during the call
    bool ok() const { return error == AutomationError::None; }
};

// For a Put, args holds the one value.
AutomationResult InvokeAutomation(const std::shared_ptr<CAutomationObject>& object, InvokeKind kind,
                                  const QString& member, const AutomationArgs& args = {});
AutomationResult InvokeAutomation(const std::shared_ptr<CAutomationObject>& object, InvokeKind kind,
                                  int dispid, const AutomationArgs& args = {});
// By a member of the object's own table.
AutomationResult InvokeAutomation(const std::shared_ptr<CAutomationObject>& object, InvokeKind kind,
                                  const AutomationMember& member, const AutomationArgs& args = {});

// Receives each prompt text of a scripting call as it is shown (the bus sends it as a signal).
void SetAutomationMessageSink(std::function<void(const QString&)> sink);
// True while calls are refused as Busy: a run pumps events, a modal window is open or a
// transaction runs.
bool AutomationCallsRefused();
// True while a scripting call is being served.
bool IsAutomationCallActive();
