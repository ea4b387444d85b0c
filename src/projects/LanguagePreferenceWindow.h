#pragma once
// The window of the language preference (dialog 1539, "Language Preference"): the languages of
// the install's Language folder in a sorted combo box, OK, Cancel and Apply (disabled in
// new-project mode). The dialog object does the work; F1 shows its help.

#include <QDialog>

class CLanguagePreferenceDialog;
class QComboBox;
class QPushButton;

class CLanguagePreferenceWindow : public QDialog {
    Q_OBJECT
public:
    CLanguagePreferenceWindow(CLanguagePreferenceDialog& dialog, QWidget* parent = nullptr);

    void OnOK();
    void OnApply();
    QComboBox* languageCombo() const { return m_combo; }
    QPushButton* applyButton() const { return m_apply; }

private:
    void FillLanguages(const QString& current);
    QString ChosenFileName() const;

    CLanguagePreferenceDialog& m_dialog;
    QComboBox* m_combo = nullptr;
    QPushButton* m_apply = nullptr;
};
