#pragma once
// Installed for the length of the outermost scripting call: prompts answer their default button
// and their texts are kept; file dialogs, the read-only warning and the library update dialogs
// answer Cancel unseen.

#include "foundation/common/FileDialogService.h"
#include "foundation/common/MessageBox.h"
#include "library/LibraryUpdateDialogs.h"
#include "projects/WarningDialogService.h"

#include <QStringList>

class CAutomationCallScope : public PromptService,
                             public FileDialogService,
                             public WarningDialogService,
                             public LibraryUpdateDialogs {
public:
    CAutomationCallScope();
    ~CAutomationCallScope() override;
    CAutomationCallScope(const CAutomationCallScope&) = delete;
    CAutomationCallScope& operator=(const CAutomationCallScope&) = delete;

    int prompt(const QString& text, unsigned flags, const QString& caption) override;
    QString choose(const FileDialogRequest& request) override;
    WarningDialogAnswer show(const WarningDialogRequest& request) override;
    std::optional<std::vector<bool>> ChooseUpdates(const QString& kind, const std::vector<UpdateItem*>& items) override;
    int RunNameClash(CSelectSourceDlg& dialog) override;
    const QStringList& messages() const { return m_messages; }

private:
    PromptService* m_previousPrompts;
    FileDialogService* m_previousFiles;
    WarningDialogService* m_previousWarnings;
    LibraryUpdateDialogs* m_previousLibraryDialogs;
    QStringList m_messages;
};
