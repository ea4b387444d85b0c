#pragma once
// The recipe-language preference of the open project: the store-only save of the chosen template
// and the language dialog, whose window is installed in a slot (without one it answers IDCANCEL).

#include <QString>

class CLanguagePreferenceDialog;

class LanguageDialogService {
public:
    virtual ~LanguageDialogService() = default;
    // Runs the dialog on the object (it may set m_strTemplatePath) and answers IDOK or IDCANCEL.
    virtual int RunLanguageDialog(CLanguagePreferenceDialog& dialog) = 0;
};

class CLanguagePreferenceDialog {
public:
    int DoModal();
    // Writes m_strTemplatePath into [PREFER-Language] of the project working copy (edits its row,
    // or adds one) and marks the project modified. False after its message when that fails.
    bool SaveLanguagePreference();

    QString m_strTemplatePath;
    bool m_bNewProject = false;
};
