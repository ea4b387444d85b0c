#include "automation/AutomationCallScope.h"

#include "library/SelectSourceDlg.h"

#include <functional>

void ForwardAutomationMessage(const QString& text); // AutomationInvoke.cpp

CAutomationCallScope::CAutomationCallScope()
    : m_previousPrompts(SetPromptService(this)), m_previousFiles(SetFileDialogService(this)),
      m_previousWarnings(SetWarningDialogService(this)), m_previousLibraryDialogs(SetLibraryUpdateDialogs(this))
{
}

CAutomationCallScope::~CAutomationCallScope()
{
    SetLibraryUpdateDialogs(m_previousLibraryDialogs);
    SetWarningDialogService(m_previousWarnings);
    SetFileDialogService(m_previousFiles);
    SetPromptService(m_previousPrompts);
}

int CAutomationCallScope::prompt(const QString& text, unsigned flags, const QString&)
{
    m_messages << text;
    ForwardAutomationMessage(text);
    return DefaultAnswer(flags);
}

QString CAutomationCallScope::choose(const FileDialogRequest&)
{
    return QString();
}

WarningDialogAnswer CAutomationCallScope::show(const WarningDialogRequest& request)
{
    m_messages << request.warningText;
    ForwardAutomationMessage(request.warningText);
    return {IDCANCEL, false};
}

std::optional<std::vector<bool>> CAutomationCallScope::ChooseUpdates(const QString&, const std::vector<UpdateItem*>&)
{
    return std::nullopt;
}

int CAutomationCallScope::RunNameClash(CSelectSourceDlg& dialog)
{
    dialog.OnCancel();
    return IDCANCEL;
}
