#pragma once
// "Select Messages to Hide" (dialog 477): a child sheet of three tabs, Warnings, Notes and
// Defaults. OK stores the ids ticked on all three as the complete hidden set, marks the project
// modified (the ids live in the project database) and answers IDOK; when the stored ids could not
// be read, or the store fails, nothing is stored and the answer is IDCANCEL.

#include "foundation/common/Array.h"

#include <QDialog>
#include <QRect>

class CQVPropertySheet;
class CMessageHiddenTab;

class CMessageHiddenDlg : public QDialog {
    Q_OBJECT
public:
    explicit CMessageHiddenDlg(QWidget* parent = nullptr);

    int DoModal();
    void OnOK();
    void OnHelp();
    CQVPropertySheet* sheet() const { return m_sheet; }
    CMessageHiddenTab* tab(int index) const;

    Array<long> m_defaults, m_notes, m_warnings;

protected:
    void showEvent(QShowEvent* event) override;

private:
    bool Store();

    CQVPropertySheet* m_sheet;
    std::vector<CMessageHiddenTab*> m_tabs;
    bool m_bHiddenRead = false;
    static QRect s_placement; // recorded at the first opening of the run
};
