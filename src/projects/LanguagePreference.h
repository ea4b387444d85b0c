#pragma once
// The recipe-language preference of the open project: the store-only save of the chosen template
// and the language dialog, which is reached through a hook until the dialog itself exists.

#include <QString>
#include <functional>

class CLanguagePreferenceDialog {
public:
    // Runs the dialog on the object (it may set m_strTemplatePath) and answers IDOK or IDCANCEL.
    using DialogHook = std::function<int(CLanguagePreferenceDialog&)>;
    // Installs the hook and returns the one it replaces; without one the dialog answers IDCANCEL.
    static DialogHook SetDialogHook(DialogHook hook);

    int DoModal();
    // Writes m_strTemplatePath into [PREFER-Language] of the project working copy (edits its row,
    // or adds one) and marks the project modified. False after its message when that fails.
    bool SaveLanguagePreference();

    QString m_strTemplatePath;
    bool m_bNewProject = false;
};
