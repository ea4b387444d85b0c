#include "simulation/FixEquipmentDlg.h"

#include "foundation/common/HelpService.h"
#include "foundation/common/concerns/AppContext.h"
#include "foundation/controls/GridCtrl.h"

#include <QDialogButtonBox>
#include <QKeyEvent>
#include <QVBoxLayout>
#include <stdexcept>

namespace {

constexpr long kFixEquipmentHelpTopic = 207;
constexpr int kFixColumn = 2;

QString YesNo(long flag)
{
    return flag != 0 ? QStringLiteral("YES") : QStringLiteral("NO");
}

} // namespace

CFixEquipmentDlg::CFixEquipmentDlg(Array<QString> tags, Array<QString> classes, Array<long> fixedFlags,
                                   QWidget* parent)
    : QDialog(parent), m_tags(std::move(tags)), m_classes(std::move(classes)),
      m_fixedFlags(std::move(fixedFlags))
{
    setObjectName(QStringLiteral("137"));
    setWindowTitle(QStringLiteral("Fix Equipment"));
    BuildControls();
    OnInitDialog();
}

void CFixEquipmentDlg::BuildControls()
{
    auto* layout = new QVBoxLayout(this);
    m_grid = new CGridCtrl(this);
    m_grid->setObjectName(QStringLiteral("1018"));
    layout->addWidget(m_grid);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    layout->addWidget(buttons);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(m_grid, &CGridCtrl::DblClick, this, &CFixEquipmentDlg::OnDblClickGrid);
    resize(400, 300);
}

void CFixEquipmentDlg::OnInitDialog()
{
    const long rows = m_tags.GetSize();
    m_grid->SetRows(int(rows) + 1);
    m_grid->SetCols(3);
    const int widths[] = {1500, 1500, 1800};
    const char* const titles[] = {"Equipment Tag", "Equipment Class", "Fix Equipment"};
    for (int col = 0; col < 3; ++col) {
        m_grid->SetColWidth(col, widths[col]);
        m_grid->SetRow(0);
        m_grid->SetCol(col);
        m_grid->SetText(QString::fromLatin1(titles[col]));
    }
    FillColumn(0, m_tags);
    FillColumn(1, m_classes);
    Array<QString> flags;
    for (long i = 0; i < m_fixedFlags.GetSize(); ++i)
        flags.Add(YesNo(m_fixedFlags[i]));
    FillColumn(kFixColumn, flags);
}

// Rows 1..n of the column, n being the number of tags; an array shorter than that shows the
// out-of-bounds message and the column stops there.
void CFixEquipmentDlg::FillColumn(int col, const Array<QString>& texts)
{
    m_grid->SetCol(col);
    try {
        for (long i = 0; i < m_tags.GetSize(); ++i) {
            m_grid->SetRow(int(i) + 1);
            m_grid->SetText(texts[i]);
        }
    } catch (const std::out_of_range&) {
    }
}

void CFixEquipmentDlg::OnDblClickGrid()
{
    const int col = m_grid->GetCol();
    const int row = m_grid->GetRow();
    if (col != kFixColumn || row == 0)
        return;
    const bool toYes = m_grid->GetText() == QLatin1String("NO");
    try {
        m_fixedFlags[row - 1] = toYes ? 1 : 0;
    } catch (const std::out_of_range&) {
    }
    m_grid->SetCol(col);
    m_grid->SetRow(row);
    m_grid->SetText(toYes ? QStringLiteral("YES") : QStringLiteral("NO"));
}

bool CFixEquipmentDlg::OnCommandHelp()
{
    DisplayHelp(GetHelpFileName(), kFixEquipmentHelpTopic);
    return true;
}

void CFixEquipmentDlg::keyPressEvent(QKeyEvent* event)
{
    if (event->key() == Qt::Key_F1) {
        OnCommandHelp();
        return;
    }
    QDialog::keyPressEvent(event);
}
