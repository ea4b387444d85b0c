#pragma once
// The dialog that copies a step or a whole process of another project into the open project. One
// tree shows the other project's processes and steps, the other the open project's; Add copies the
// other tree's selection into the place the open project's tree selects, or as a new process. The
// other projects chosen stay listed for the rest of the program run.

#include "projects/NetSelectHistory.h"

#include <QDialog>

class QComboBox;
class QLabel;
class QPushButton;
class QTreeWidget;

class CNetSelectDialog : public QDialog {
    Q_OBJECT
public:
    CNetSelectDialog(bool insertBefore, bool insertAfter, QWidget* parent = nullptr,
                     CNetSelectHistory& history = CNetSelectHistory::ProgramRun());

    int DoModal(); // IDOK ("Close") or IDCANCEL, through the project-dialog service

    // The controls' work, callable directly.
    void OnBrowse();
    void OnSelectProject(); // the combo's selection accepted
    void OnAdd();
    void OnHelp();

    QComboBox* ProjectCombo() const { return m_projectCombo; }
    QTreeWidget* OtherTree() const { return m_otherTree; }
    QTreeWidget* CurrentTree() const { return m_currentTree; }
    QLabel* CurrentProjectLabel() const { return m_currentLabel; }
    QPushButton* AddButton() const { return m_addButton; }

    QString m_currentProject; // the open project's file, its extension "prj"
    bool m_insertBefore;
    bool m_insertAfter;

private:
    void BuildControls();
    void OnInitDialog();
    bool IsCurrentProject(const QString& path) const;
    bool CheckBrowsedProject(const QString& path);
    void ShowOtherProject(const QString& path);
    void FillTree(QTreeWidget& tree, const QString& projectPath);
    // The selection of a tree: the process id, and the step id (-1 for a process); false when the
    // selection names neither.
    static bool SelectedProcessOrStep(const QTreeWidget& tree, long& processID, long& stepID);
    void AddStepToTarget(long sourceStepID);
    void AddAsNewProcess(long sourceProcessID, long sourceStepID);

    CNetSelectHistory& m_history;
    QComboBox* m_projectCombo = nullptr;
    QPushButton* m_browseButton = nullptr;
    QTreeWidget* m_otherTree = nullptr;
    QTreeWidget* m_currentTree = nullptr;
    QLabel* m_currentLabel = nullptr;
    QPushButton* m_addButton = nullptr;
};
