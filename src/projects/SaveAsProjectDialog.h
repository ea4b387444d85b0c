#pragma once
// The Save As dialog: a name, a folder and a type (project or template). OK checks them and, for a
// folder that already holds a project or the template, asks whether to replace it.

#include <QDialog>
#include <QString>

#include <functional>

class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;

inline const QString PROJECT_FILE_TYPE = QStringLiteral("Tamro Plenthover Project (*.prj)");
inline const QString TEMPLATE_FILE_TYPE = QStringLiteral("Tamro Plenthover Project Template (*.qvt)");

class CSaveAsProjectDialog : public QDialog {
    Q_OBJECT
public:
    explicit CSaveAsProjectDialog(bool templateMode, QWidget* parent = nullptr);

    int DoModal(); // IDOK or IDCANCEL, through the project-dialog service

    // The controls' work, callable directly.
    void OnNameChange();
    void OnBrowse();
    void OnTypeChange();
    // The checks of OK in order; true when the dialog closed with OK.
    bool OnOK();
    void accept() override;

    bool IsTemplateType() const { return m_strType.compare(TEMPLATE_FILE_TYPE, Qt::CaseInsensitive) == 0; }

    QLineEdit* NameEdit() const { return m_nameEdit; }
    QLineEdit* DirectoryEdit() const { return m_directoryEdit; }
    QComboBox* TypeCombo() const { return m_typeCombo; }
    QLabel* TypeLabel() const { return m_typeLabel; }

    QString m_strName;
    QString m_strDirectory; // without a trailing "/"
    QString m_strType;
    // Set by OK: the user agreed to replace the project in the open project's own folder.
    bool m_bSameFolder = false;
    // Set by OK: the folder whose project the new one replaces, cleared after the new files are written.
    QString m_strReplacedFolder;
    // This instance's in-use marker (it never makes a folder "in use").
    QString m_strOwnMarker;
    // Whether a file can be written in a folder or into a file (tests replace it).
    std::function<bool(const QString& path)> m_writeTest;

private:
    void BuildControls();
    void OnInitDialog();
    void UpdateData(bool saveAndValidate);
    bool Refuse(const QString& text, QLineEdit* field);
    bool CheckName();
    bool CheckDirectory();
    bool CheckReservedFolders();
    bool CheckTarget();
    bool ConfirmReplace();
    QString WorkingFolder() const;

    bool m_bTemplateMode;
    QLineEdit* m_nameEdit = nullptr;
    QLineEdit* m_directoryEdit = nullptr;
    QPushButton* m_browseButton = nullptr;
    QComboBox* m_typeCombo = nullptr;
    QLabel* m_typeLabel = nullptr;
};
