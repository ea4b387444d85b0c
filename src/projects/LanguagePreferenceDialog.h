#pragma once
// The recipe-language preference of the open project ("Language Preference", dialog 1539). A
// changed language is converted on a copy of its template first; only when the copy is in place
// as the language database is the preference stored, the managed side told and every step's
// recipe text regenerated. Any failure changes nothing and keeps the dialog open. The project
// open uses it in new-project mode (choose only) and its store-only save.

#include <QList>
#include <QString>

#include <utility>

class CLanguagePreferenceDialog;
class QWidget;

// Runs the dialog in place of its window (tests script it); without one the window is shown.
class LanguageDialogService {
public:
    virtual ~LanguageDialogService() = default;
    // Runs the dialog on the object (it may set m_strTemplatePath) and answers IDOK or IDCANCEL.
    virtual int RunLanguageDialog(CLanguagePreferenceDialog& dialog) = 0;
};

// A template of the install's Language folder: the language's name and the real file name.
struct LanguageChoice {
    QString language;
    QString fileName;
};

class CLanguagePreferenceDialog {
public:
    int DoModal(QWidget* parent = nullptr);
    // Writes m_strTemplatePath into [PREFER-Language] of the project working copy (edits its row,
    // or adds one) and marks the project modified. False after its message when that fails.
    bool SaveLanguagePreference();

    // Opening: the stored template (the default one without a row) becomes the template path and
    // the path read at opening. Answers the name of the language to select.
    QString OnInitDialog();
    // "QV*.lng" in any case, by language name.
    static QList<LanguageChoice> AvailableLanguages();
    // The chosen template's file name ("" when none is chosen) and its language; true when the
    // dialog closes with IDOK.
    bool OnOK(const QString& fileName, const QString& language);
    // The same without closing; it converts also when the language is the one already used.
    bool OnApply(const QString& fileName, const QString& language);
    void OnCommandHelp();

    QString m_strTemplatePath;
    QString m_strOpenedPath; // the path read at opening, made absolute
    QString m_strSelectText; // the language message's text: the language selected at opening
    bool m_bNewProject = false;

private:
    // The chosen template's full path; "" after its message when there is none.
    QString ChosenTemplate(const QString& fileName) const;
    bool AskAndChange(const QString& templatePath, const QString& language);
    bool ChangeLanguage(const QString& templatePath, const QString& language);
    bool ConvertLanguageDatabase(const QString& templatePath);
    bool StoreTemplate(const QString& templatePath);
};

// The language of a template path: the name after the last "/" or "\" without "QV" and ".lng".
QString LanguageOfTemplate(const QString& path);
// The language message (WM_USER+107): with a project open and nothing busy, the dialog opens
// with that text's language selected; nothing is written before the user confirms.
void OnLanguageMessage(const QString& text, QWidget* parent = nullptr);
