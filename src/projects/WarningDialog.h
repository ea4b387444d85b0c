#pragma once
// Shown before a project that cannot be written where it lies is copied to a working folder:
// where it goes, why, what the user may do, and an optional "Don't ask this question again." box.

#include "projects/WarningDialogService.h"

#include <QDialog>

class QCheckBox;
class QLabel;

class CWarningDialog : public QDialog {
    Q_OBJECT
public:
    CWarningDialog(const QString& targetFolder, const QString& warningText, const QString& actionsText,
                   QWidget* parent = nullptr);

    void SetShowCheckBox(bool show) { m_bShowCheckBox = show; }
    // Through the warning-dialog service when one is installed; IDOK or IDCANCEL.
    int DoModal();
    // Moves the texts into the controls (false) or the check box into its member (true); the
    // check box is shown only when it is offered, and a hidden box never reads as ticked.
    void UpdateData(bool saveAndValidate);

    void accept() override;

    QString m_strTargetFolder;
    QString m_strWarningText;
    QString m_strActionsText;
    bool m_bDontAskAgain = false;

private:
    void BuildControls();
    WarningDialogRequest Request() const;

    bool m_bShowCheckBox = true;
    QLabel* m_targetFolderLabel = nullptr;
    QLabel* m_warningLabel = nullptr;
    QLabel* m_actionsLabel = nullptr;
    QCheckBox* m_dontAskAgainBox = nullptr;
};
