#include "library/LibraryUpdateDialogs.h"

#include "foundation/common/MessageBox.h"
#include "foundation/common/ServiceSlot.h"
#include "library/SelectSourceDlg.h"

#include <QCursor>
#include <QGuiApplication>

namespace {
// The arrow cursor over a wait cursor while the user answers.
class LiftedWaitCursor {
public:
    LiftedWaitCursor() : m_lifted(QGuiApplication::overrideCursor() != nullptr)
    {
        if (m_lifted)
            QGuiApplication::setOverrideCursor(QCursor(Qt::ArrowCursor));
    }
    ~LiftedWaitCursor()
    {
        if (m_lifted)
            QGuiApplication::restoreOverrideCursor();
    }
    LiftedWaitCursor(const LiftedWaitCursor&) = delete;
    LiftedWaitCursor& operator=(const LiftedWaitCursor&) = delete;

private:
    bool m_lifted;
};

LibraryUpdateDialogs* SeenDialogs()
{
    if (dynamic_cast<AutomationPromptService*>(GetPromptService()))
        return nullptr; // nobody would see them
    return GetLibraryUpdateDialogs();
}
} // namespace

LibraryUpdateDialogs* SetLibraryUpdateDialogs(LibraryUpdateDialogs* dialogs)
{
    return ServiceSlot<LibraryUpdateDialogs>::Set(dialogs);
}

LibraryUpdateDialogs* GetLibraryUpdateDialogs()
{
    return ServiceSlot<LibraryUpdateDialogs>::Get();
}

std::optional<std::vector<bool>> ChooseLibraryUpdates(const QString& kind, const std::vector<UpdateItem*>& items)
{
    LibraryUpdateDialogs* dialogs = SeenDialogs();
    if (!dialogs)
        return std::nullopt;
    LiftedWaitCursor lifted;
    std::optional<std::vector<bool>> marks = dialogs->ChooseUpdates(kind, items);
    if (marks && marks->size() != items.size())
        return std::nullopt;
    return marks;
}

int RunNameClashDialog(CSelectSourceDlg& dialog)
{
    LibraryUpdateDialogs* dialogs = SeenDialogs();
    if (!dialogs) {
        dialog.OnCancel();
        return IDCANCEL;
    }
    LiftedWaitCursor lifted;
    return dialogs->RunNameClash(dialog) == IDOK ? IDOK : IDCANCEL;
}

int ShowSynchronisationMessage(const QString& text, unsigned flags)
{
    LiftedWaitCursor lifted;
    return QvMessageBox(text, flags);
}
