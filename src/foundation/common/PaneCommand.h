#pragma once
// The commands of a pane's toolbar and context menu: a table of captions and tips ("status text\n
// tooltip"), turned into QActions that run through the command dispatcher with the pane as target.

#include <QList>

#include <span>

class CommandTarget;
class QAction;
class QObject;

struct PaneCommand {
    int id;
    const char* caption;
    const char* tip;
};

// The action of that command of the table, made on first use (owned by `owner`) and kept in `made`.
QAction* PaneCommandAction(std::span<const PaneCommand> table, int commandID, QObject* owner,
                           CommandTarget* target, QList<QAction*>& made);
