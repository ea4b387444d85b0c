#pragma once
// The New Project dialog: a name, a folder (a folder of the project's name under the base folder)
// and a description. OK checks them and, for a folder that holds a project, asks to replace it.

#include <QDialog>
#include <QString>

class CRichText;
class QLineEdit;
class QPushButton;

class CNewProject : public QDialog {
    Q_OBJECT
public:
    explicit CNewProject(QWidget* parent = nullptr);

    int DoModal(); // IDOK or IDCANCEL, through the project-dialog service

    void OnNameChange();
    void OnBrowse();
    void OnHelp();
    // The checks of OK in order; true when the dialog closed with OK.
    bool OnOK();
    void accept() override;

    QLineEdit* NameEdit() const { return m_nameEdit; }
    QLineEdit* DirectoryEdit() const { return m_directoryEdit; }
    CRichText* DescriptionEdit() const { return m_descriptionEdit; }

    QString m_strName;
    QString m_strDirectory; // without a trailing "/"
    QString m_strDescription;
    QString m_strBaseFolder; // ends with "/"
    QString m_strOwnMarker;  // this instance's in-use marker, never "another instance"
    // Set by OK: the folder whose project the new one replaces, cleared after the new files are written.
    QString m_strReplacedFolder;

protected:
    bool event(QEvent* event) override;

private:
    void BuildControls();
    void UpdateData(bool saveAndValidate);
    bool Refuse(const QString& text, QLineEdit* field);
    bool CheckName();
    bool CheckDirectory();
    bool CheckExistingProject();

    QLineEdit* m_nameEdit = nullptr;
    QLineEdit* m_directoryEdit = nullptr;
    CRichText* m_descriptionEdit = nullptr;
    QPushButton* m_browseButton = nullptr;
};
