#include "preferences/costs/CostFactorTab.h"

#include "foundation/common/LeadingNumber.h"
#include "foundation/common/MessageBox.h"
#include "foundation/common/ParseDouble.h"
#include "foundation/common/UniqueID.h"
#include "foundation/common/WaitCursor.h"
#include "foundation/controls/FactorColumnValidator.h"
#include "foundation/controls/ObjectGridWnd.h"
#include "foundation/db/recordsets/BulkRows.h"
#include "foundation/db/project/CostFactorPreferenceSet.h"
#include "preferences/costs/MyGXButton.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

const char* const COST_FACTOR_INIT_MESSAGE = "Can't open Cost Factor Preference table for initialization!";

namespace {
constexpr int COST_FACTOR_GRID_WIDTH = 560;
constexpr int COST_FACTOR_GRID_HEIGHT = 260;
constexpr int COST_FACTOR_ROW_HEADING_WIDTH = 20;

const QStringList& costFactorWrittenColumns()
{
    static const QStringList columns = {QStringLiteral("CostFactorID"), QStringLiteral("CostFactorType"),
                                        QStringLiteral("CostFactorItem"), QStringLiteral("CostFactor"),
                                        QStringLiteral("CostFactorUOM"), QStringLiteral("RowOrder")};
    return columns;
}
} // namespace

CCostFactorTab::CCostFactorTab(const Layout& layout, QWidget* parent)
    : CQVPropertyPage(parent), m_layout(layout), m_pageLayout(new QVBoxLayout(this))
{
    setObjectName(QString::number(layout.templateID));
    for (const QString& text : layout.texts)
        m_pageLayout->addWidget(new QLabel(text, this));
    AddGrid();
}

CCostFactorTab::~CCostFactorTab() = default;

void CCostFactorTab::AddGrid()
{
    m_grid = new CObjectGridWnd(this);
    m_grid->setObjectName(QString::number(m_layout.gridID));
    m_grid->resize(COST_FACTOR_GRID_WIDTH, COST_FACTOR_GRID_HEIGHT);
    m_pageLayout->addWidget(m_grid, 1);
    AddRowButtons();
}

void CCostFactorTab::AddRowButtons()
{
    if (m_layout.insertID == 0)
        return;
    auto* row = new QHBoxLayout;
    for (const auto& [id, text] : {std::pair{m_layout.insertID, "&Insert"}, std::pair{m_layout.deleteID, "&Delete"}}) {
        auto* push = new QPushButton(QString::fromLatin1(text), this);
        push->setObjectName(QString::number(id));
        row->addWidget(push);
    }
    row->addStretch(1);
    m_pageLayout->addLayout(row);
    connect(button(m_layout.insertID), &QPushButton::clicked, this, [this] { OnInsert(); });
    connect(button(m_layout.deleteID), &QPushButton::clicked, this, [this] { OnDelete(); });
}

QPushButton* CCostFactorTab::button(int id) const
{
    return findChild<QPushButton*>(QString::number(id));
}

void CCostFactorTab::SetFactorValidator(int sign)
{
    m_validator = std::make_unique<CFactorColumnValidator>(FACTOR_COL, CFactorColumnValidator::Sign(sign));
    m_grid->SetCellValidator(m_validator.get());
}

QString CCostFactorTab::Cell(int row, int col) const
{
    return m_grid->GetValueRowCol(row, col);
}

bool CCostFactorTab::OnInitDialog()
{
    WaitCursor wait;
    m_grid->Initialize();
    CCostFactorPreferenceSet set;
    if (!set.OpenSet(m_layout.costFactorType)) {
        QvMessageBox(QString::fromLatin1(COST_FACTOR_INIT_MESSAGE));
        return false;
    }
    PrepareLoad();
    SetUpGrid(int(set.GetRecordCount()));
    for (int row = 1; !set.IsEOF(); set.MoveNext(), ++row)
        LoadRow(row, set);
    set.CloseSet();
    AfterLoad();
    m_bLoaded = true;
    return true;
}

void CCostFactorTab::SetUpGrid(int rows)
{
    m_grid->SetRowCount(rows);
    m_grid->SetColCount(IDColumn());
    for (int col = 1; col <= IDColumn(); ++col)
        m_grid->SetValueRowCol(0, col, m_layout.headers.at(col - 1));
    StyleRows(1, rows);
    m_grid->SetColWidth(0, COST_FACTOR_ROW_HEADING_WIDTH);
    const std::vector<int> widths = ColumnWidths(m_grid->width());
    for (int col = 1; col < IDColumn(); ++col)
        m_grid->SetColWidth(col, widths[size_t(col - 1)]);
    m_grid->SetColWidth(IDColumn(), 0);
    m_grid->SetRowSelection(true);
}

void CCostFactorTab::StyleRows(int first, int last)
{
    if (last < first)
        return;
    for (int row = first; row <= last; ++row)
        m_grid->SetRowHeight(row, ROW_HEIGHT);
    m_grid->SetStyleRange(CGridRange(first, ITEM_COL, last, ITEM_COL), CGridCellStyle().SetControl(GRID_CTRL_EDIT));
    m_grid->SetStyleRange(CGridRange(first, FACTOR_COL, last, FACTOR_COL),
                          CGridCellStyle().SetControl(GRID_CTRL_EDIT).SetHorizontalAlignment(Qt::AlignRight));
    m_grid->SetStyleRange(CGridRange(first, IDColumn(), last, IDColumn()),
                          CGridCellStyle()
                              .SetControl(GRID_CTRL_STATIC)
                              .SetReadOnly(true)
                              .SetEnabled(false)
                              .SetInterior(GRID_READONLY_COLOR));
    StyleExtraColumns(first, last);
}

void CCostFactorTab::LoadRow(int row, const CCostFactorPreferenceSet& set)
{
    m_grid->SetValueRowCol(row, ITEM_COL, set.GetText(QStringLiteral("CostFactorItem")));
    m_grid->SetValueRowCol(row, FACTOR_COL, FormatDouble(set.GetDouble(QStringLiteral("CostFactor"))));
    m_grid->SetValueRowCol(row, IDColumn(), CostFactorIDText(set.GetLong(QStringLiteral("CostFactorID"))));
    LoadRowExtras(row, set);
}

bool CCostFactorTab::CheckEntries()
{
    return DDV_GXGridWnd(m_grid);
}

bool CCostFactorTab::HoldsID(long id) const
{
    const QString text = CostFactorIDText(id);
    for (int row = 1; row <= m_grid->GetRowCount(); ++row)
        if (Cell(row, IDColumn()) == text)
            return true;
    return false;
}

long CCostFactorTab::NewID() const
{
    return m_newID ? m_newID() : GenerateUniqueID([this](long id) { return HoldsID(id); });
}

void CCostFactorTab::OnInsert()
{
    if (!m_bLoaded)
        return;
    const int row = m_grid->AppendRow();
    StyleRows(row, row);
    const long id = NewID();
    m_grid->SetValueRowCol(row, IDColumn(), CostFactorIDText(id));
    InsertRowExtras(row, id);
}

// The selected rows go; with the whole table selected, every row.
void CCostFactorTab::OnDelete()
{
    std::vector<int> rows;
    m_grid->GetSelectedRows(rows);
    if (rows.empty())
        return;
    if (rows.front() == 0) {
        m_grid->RemoveRows(1, m_grid->GetRowCount());
    } else {
        int removed = 0;
        for (int row : rows) {
            m_grid->RemoveRows(row - removed, row - removed);
            ++removed;
        }
    }
    AfterDelete();
}

void CCostFactorTab::SaveCostFactors(CDaoDatabase& db)
{
    if (!m_bLoaded)
        return;
    QList<QVariantList> rows;
    std::vector<long> written;
    for (int row = 1; row <= m_grid->GetRowCount(); ++row) {
        const QString item = Cell(row, ITEM_COL);
        const QString factor = Cell(row, FACTOR_COL);
        if (!KeepsEmptyRows() && (item.isEmpty() || factor.isEmpty()))
            continue;
        written.push_back(Cell(row, IDColumn()).toLong());
        rows << QVariantList{qlonglong(written.back()), m_layout.costFactorType, item, LeadingDouble(factor),
                             RowUnit(row), qlonglong(rows.size() + 1)};
    }
    ReplaceTableRows(db, QStringLiteral("CostFactor"), costFactorWrittenColumns(), QStringLiteral("CostFactorType"),
                     m_layout.costFactorType, rows);
    SaveExtras(db, written);
}
