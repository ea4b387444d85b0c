#pragma once
// The "Select Source" dialog of a name clash: a sub-item of a library item carries a name the
// project already uses. The user keeps the project's item (optionally for every later clash of the
// same list) or copies the sub-item under a new name, which must be free. The material and
// equipment dialogs differ only in their kind text and in how they check the new name.

#include <QDialog>
#include <QString>

class QCheckBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;

class CSelectSourceDlg : public QDialog {
public:
    CSelectSourceDlg(const QString& kind, const QString& name, QWidget* parent);

    void OnCurrentProject();
    void OnExternalProject();
    void OnOK();
    void OnCancel();
    void reject() override { OnCancel(); }

    // What the caller reads after the dialog closed.
    int m_cancelled = 0;
    int m_useCurrent = 1;
    QString m_strNewName;
    int m_forAllRemaining = 1;

    const QString& LineOne() const { return m_strLineOne; }
    const QString& LineTwo() const { return m_strLineTwo; }
    const QString& PluralText() const { return m_strPlural; }
    QRadioButton* CurrentButton() const { return m_current; }
    QRadioButton* ExternalButton() const { return m_external; }
    QCheckBox* ForAllBox() const { return m_forAllBox; }
    QLabel* NewNameLabel() const { return m_newNameLabel; }
    QLabel* PluralLabel() const { return m_pluralLabel; }
    QLineEdit* NewNameEdit() const { return m_newNameEdit; }
    QPushButton* OkButton() const { return m_ok; }

protected:
    // Whether the new name is taken; false when the dialog does not check names.
    virtual bool NewNameTaken(const QString& newName) = 0;

private:
    void BuildWidgets();
    void ShowNewNameControls(bool shown);
    void ReadControls();

    QString m_strName;
    QString m_strLineOne, m_strLineTwo, m_strPlural;
    int m_currentSelected = 1;
    int m_externalSelected = 0;
    QRadioButton* m_current = nullptr;
    QRadioButton* m_external = nullptr;
    QCheckBox* m_forAllBox = nullptr;
    QLabel* m_pluralLabel = nullptr;
    QLabel* m_newNameLabel = nullptr;
    QLineEdit* m_newNameEdit = nullptr;
    QPushButton* m_ok = nullptr;
};
