#include "preferences/shared/PreferenceGridDialog.h"

#include "foundation/common/HelpService.h"
#include "foundation/common/LeadingNumber.h"
#include "foundation/common/concerns/AppContext.h"
#include "foundation/controls/ObjectGridWnd.h"

#include <QHBoxLayout>
#include <QPushButton>
#include <QShortcut>
#include <QVBoxLayout>

#include <algorithm>

CPreferenceGridDialog::CPreferenceGridDialog(QWidget* parent, int templateID, const QString& caption, int gridID,
                                             long helpTopic)
    : QDialog(parent), m_grid(new CObjectGridWnd(this)), m_buttons(new QHBoxLayout), m_helpTopic(helpTopic)
{
    setObjectName(QString::number(templateID));
    setWindowTitle(caption);
    m_grid->setObjectName(QString::number(gridID));
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_grid, 1);
    layout->addLayout(m_buttons);
    auto* help = new QShortcut(QKeySequence::HelpContents, this);
    connect(help, &QShortcut::activated, this, &CPreferenceGridDialog::OnCommandHelp);
    m_grid->Initialize();
}

QPushButton* CPreferenceGridDialog::button(int id) const
{
    return findChild<QPushButton*>(QString::number(id));
}

QPushButton* CPreferenceGridDialog::AddButton(const QString& text, int id)
{
    auto* added = new QPushButton(text, this);
    added->setObjectName(QString::number(id));
    added->setAutoDefault(false);
    m_buttons->addWidget(added);
    return added;
}

void CPreferenceGridDialog::AddOkCancel()
{
    m_buttons->addStretch(1);
    connect(AddButton(QStringLiteral("OK"), 1), &QPushButton::clicked, this, [this] { OnOK(); });
    connect(AddButton(QStringLiteral("Cancel"), 2), &QPushButton::clicked, this, &QDialog::reject);
}

void CPreferenceGridDialog::OnCommandHelp()
{
    DisplayHelp(GetHelpFileName(), m_helpTopic);
}

void CPreferenceGridDialog::SetHeadings(const QStringList& headings)
{
    for (int col = 1; col <= headings.size(); ++col) {
        m_grid->SetValueRowCol(0, col, headings.at(col - 1));
        m_grid->SetStyleRange(CGridRange(0, col), CGridCellStyle().SetInterior(GRID_HEADING_COLOR).SetReadOnly(true));
    }
}

void CPreferenceGridDialog::SetIDCell(int row, int col, long id)
{
    m_grid->SetStyleRange(CGridRange(row, col), CGridCellStyle()
                                                    .SetControl(GRID_CTRL_STATIC)
                                                    .SetInterior(GRID_READONLY_COLOR)
                                                    .SetReadOnly(true)
                                                    .SetEnabled(false)
                                                    .SetValue(QString::number(id)));
}

void CPreferenceGridDialog::SetRowHeights(int fromRow)
{
    for (int row = fromRow; row <= m_grid->GetRowCount(); ++row)
        m_grid->SetRowHeight(row, ROW_HEIGHT);
}

QList<int> CPreferenceGridDialog::SelectedRows() const
{
    std::vector<int> rows;
    m_grid->GetSelectedRows(rows);
    return QList<int>(rows.begin(), rows.end());
}

QString CPreferenceGridDialog::Trimmed(int row, int col) const
{
    return m_grid->GetValueRowCol(row, col).trimmed();
}

long CPreferenceGridDialog::IDOf(int row, int col) const
{
    return LeadingLong(m_grid->GetValueRowCol(row, col));
}

long CPreferenceGridDialog::TakeNextID(int idCol)
{
    long next = m_nextID;
    for (int row = 1; row <= m_grid->GetRowCount(); ++row)
        next = std::max(next, IDOf(row, idCol) + 1);
    m_nextID = next + 1;
    return next;
}

QString FormatCost(const QVariant& value)
{
    return value.isNull() ? QString() : QString::asprintf("%.*g", 7, value.toDouble());
}
