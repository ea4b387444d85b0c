#pragma once
// The start-up chooser: a new blank project, a new project from a template, or an existing project
// from the recent files ("More Files..." asks for one).

#include <QDialog>
#include <QStringList>

class CTitledListCtrl;
class QRadioButton;

class COpenProjectDialog : public QDialog {
    Q_OBJECT
public:
    enum Choice { BlankProject = 0, ProjectFromTemplate = 1, ExistingProject = 2 };
    explicit COpenProjectDialog(QWidget* parent = nullptr);

    // The caller fills the recent files and the blank flag before, and reads choice and file after.
    int DoModal(); // IDOK or IDCANCEL, through the project-dialog service
    void OnChoiceChange();
    void OnDoubleClick();
    void accept() override;

    QRadioButton* ChoiceButton(int choice) const { return m_choiceButtons[choice]; }
    CTitledListCtrl* FileList() const { return m_fileList; }

    QStringList m_strRecentFiles; // every slot, empty ones as ""
    QString m_strSelectedFile;
    bool m_bBlankAllowed = true;
    int m_nChoice = ExistingProject;

protected:
    void showEvent(QShowEvent* event) override;

private:
    void BuildControls();
    void InitDialog();
    void FillFileList();
    void UpdateData(bool saveAndValidate);

    QRadioButton* m_choiceButtons[3] = {};
    CTitledListCtrl* m_fileList = nullptr;
    bool m_bInitialized = false;
};
