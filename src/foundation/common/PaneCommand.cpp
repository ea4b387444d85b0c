#include "foundation/common/PaneCommand.h"

#include "foundation/common/concerns/CommandDispatcher.h"

#include <QAction>

QAction* PaneCommandAction(std::span<const PaneCommand> table, int commandID, QObject* owner,
                           CommandTarget* target, QList<QAction*>& made)
{
    for (QAction* action : made) {
        if (action->data().toInt() == commandID)
            return action;
    }
    const PaneCommand* command = nullptr;
    for (const PaneCommand& entry : table) {
        if (entry.id == commandID)
            command = &entry;
    }
    auto* action = new QAction(QString::fromUtf8(command->caption), owner);
    const QString tip = QString::fromUtf8(command->tip);
    action->setData(commandID);
    action->setStatusTip(tip.section(QLatin1Char('\n'), 0, 0));
    action->setToolTip(tip.section(QLatin1Char('\n'), 1, 1));
    QObject::connect(action, &QAction::triggered, owner, [target, commandID] { DispatchCommand(commandID, target); });
    made << action;
    return action;
}
