#pragma once
// The modal dialog in which the user picks which out-of-date library items to update while a
// project opens. It hands back one mark per row, in row order, and only after OK: Esc or the
// close box leaves it without marks, and the caller then applies nothing.

#include "library/UpdateListCtrl.h"

#include <QDialog>
#include <vector>

class QCheckBox;
class QPushButton;
struct UpdateItem;

class CUpdateDlg : public QDialog {
    Q_OBJECT
public:
    explicit CUpdateDlg(QWidget* parent = nullptr);

    // One row per item, in list order, each marked for update; `kind` is kept with every row.
    void Fill(const QString& kind, const std::vector<UpdateItem*>& items);
    // The modal run; QDialog::Accepted after OK.
    int DoModal() { return exec(); }
    // Copies the first n marks into buffer: false (buffer untouched) for a null buffer, n < 1, or
    // more marks than there are, and so always before OK.
    bool GetMarks(bool* buffer, int n) const;
    const std::vector<bool>& Marks() const { return m_marks; }
    const std::vector<CUpdateListCtrl::tagUpdateValues>& Rows() const { return m_rows; }

    // The columns and the stored rows; the first showing runs it.
    void OnInitDialog();
    void accept() override; // OK

    CUpdateListCtrl* List() const { return m_list; }
    QCheckBox* AlwaysUpdateBox() const { return m_alwaysUpdate; }
    QPushButton* OkButton() const { return m_ok; }
    QPushButton* UpdateAllButton() const { return m_updateAll; }
    QPushButton* UpdateNoneButton() const { return m_updateNone; }

protected:
    void showEvent(QShowEvent* event) override;

private:
    QPushButton* AddButton(const QString& text);

    CUpdateListCtrl* m_list;
    QCheckBox* m_alwaysUpdate;
    QPushButton* m_updateAll;
    QPushButton* m_updateNone;
    QPushButton* m_ok;
    std::vector<CUpdateListCtrl::tagUpdateValues> m_rows;
    std::vector<bool> m_marks; // empty until OK
    bool m_initialised = false;
};
