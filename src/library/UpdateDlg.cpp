#include "library/UpdateDlg.h"

#include "library/UpdateItem.h"

#include <QCheckBox>
#include <QHBoxLayout>
#include <QPushButton>
#include <QVBoxLayout>

#include <algorithm>

CUpdateDlg::CUpdateDlg(QWidget* parent)
    : QDialog(parent), m_list(new CUpdateListCtrl(this)),
      m_alwaysUpdate(new QCheckBox(QStringLiteral("Always update when opening projects."), this)),
      m_updateAll(AddButton(QStringLiteral("Update All"))),
      m_updateNone(AddButton(QStringLiteral("Update None"))), m_ok(AddButton(QStringLiteral("OK")))
{
    setObjectName(QStringLiteral("UpdateDialog"));
    setWindowTitle(QStringLiteral("Update"));
    // The choice is not kept anywhere, so the box offers none.
    m_alwaysUpdate->setEnabled(false);
    m_ok->setDefault(true);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(m_updateAll);
    buttons->addWidget(m_updateNone);
    buttons->addStretch();
    buttons->addWidget(m_ok);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_list);
    layout->addWidget(m_alwaysUpdate);
    layout->addLayout(buttons);
    connect(m_updateAll, &QPushButton::clicked, this, [this] { m_list->SetAllMarks(true); });
    connect(m_updateNone, &QPushButton::clicked, this, [this] { m_list->SetAllMarks(false); });
    connect(m_ok, &QPushButton::clicked, this, &CUpdateDlg::accept);
    resize(460, 300);
}

QPushButton* CUpdateDlg::AddButton(const QString& text)
{
    auto* button = new QPushButton(text, this);
    button->setAutoDefault(false);
    return button;
}

void CUpdateDlg::Fill(const QString& kind, const std::vector<UpdateItem*>& items)
{
    for (const UpdateItem* item : items) {
        // A missing item keeps its row, so the marks stay in step with the caller's list.
        const UpdateItem values = item ? *item : UpdateItem();
        m_rows.push_back({kind, values.localName, values.localID, values.serverID, values.serverName,
                          values.localStamp, values.serverStamp, true});
    }
}

void CUpdateDlg::OnInitDialog()
{
    m_initialised = true;
    m_list->setRowCount(0);
    m_list->InitColumns();
    for (const CUpdateListCtrl::tagUpdateValues& row : m_rows)
        m_list->AddRow(row);
}

void CUpdateDlg::showEvent(QShowEvent* event)
{
    if (!m_initialised)
        OnInitDialog();
    QDialog::showEvent(event);
}

void CUpdateDlg::accept()
{
    m_marks.clear();
    for (int row = 0; row < m_list->rowCount(); ++row)
        m_marks.push_back(m_list->GetMark(row));
    QDialog::accept();
}

bool CUpdateDlg::GetMarks(bool* buffer, int n) const
{
    if (!buffer || n < 1 || size_t(n) > m_marks.size())
        return false;
    std::copy_n(m_marks.begin(), n, buffer);
    return true;
}
