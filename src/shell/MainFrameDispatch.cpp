// The dispatcher every command goes through, and the frame's last guard: an error escaping a
// command or a timer's work is shown once as "<command>: <error text>" and the program goes on.
// Inside a scripting call the call fails with that text instead.

#include "automation/AutomationError.h"
#include "automation/AutomationInvoke.h"
#include "foundation/common/BusyGuard.h"
#include "foundation/common/EscapedErrors.h"
#include "foundation/common/MessageBox.h"
#include "foundation/common/concerns/CommandTarget.h"
#include "shell/MainFrame.h"

#include <QAction>
#include <QApplication>
#include <QRegularExpression>

// "Run Report" of "Run Re&port", "Options" of "&Options...".
QString CMainFrame::CommandLabel(int commandID) const
{
    const QAction* command = action(commandID);
    QString label = command ? command->text().section(QLatin1Char('\t'), 0, 0) : QString();
    static const QRegularExpression mnemonic(QStringLiteral("&(.)"));
    label.replace(mnemonic, QStringLiteral("\\1"));
    if (label.endsWith(QLatin1String("...")))
        label.chop(3);
    label = label.trimmed();
    return label.isEmpty() ? QStringLiteral("Command %1").arg(commandID) : label;
}

bool CMainFrame::DispatchCommand(const CommandRequest& request)
{
    if (IsBusy()) { // a run pumps events: nothing may start inside it
        QApplication::beep();
        return false;
    }
    QString escaped;
    try {
        RefreshContext();
        const bool ran = runCommand(request);
        UpdateCommandStates();
        return ran;
    } catch (...) {
        escaped = EscapedErrorText(CommandLabel(request.commandID));
    }
    NoteEscapedError(escaped);
    if (IsAutomationCallActive())
        throw CAutomationException(AutomationError::Failed, escaped);
    QvMessageBox(escaped, MB_OK | MB_ICONSTOP);
    QString again;
    try {
        UpdateCommandStates();
        return false;
    } catch (...) { // kept, but not shown: the user was told once
        again = EscapedErrorText(CommandLabel(request.commandID));
    }
    NoteEscapedError(again);
    return false;
}
