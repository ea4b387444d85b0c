#include "preferences/costs/ProcessingCostTab.h"

#include "foundation/controls/ObjectGridWnd.h"
#include "foundation/controls/UnitCombos.h"
#include "foundation/db/project/CostFactorPreferenceSet.h"
#include "preferences/costs/MyGXButton.h"

CProcessingCostTab::CProcessingCostTab(QWidget* parent)
    : CCostFactorTab({QStringLiteral("Processing"), 10000, 1659,
                      {QStringLiteral("Direct Product Cost Item"), QStringLiteral("Cost Factor"),
                       QStringLiteral("UOM"), QString()}},
                     parent)
{
}

CProcessingCostTab::~CProcessingCostTab() = default;

bool CProcessingCostTab::ItemHasNoUnit(const QString& item)
{
    return item.right(6).compare(QLatin1String("Factor"), Qt::CaseInsensitive) == 0 ||
           item.compare(QLatin1String("Number of Operators"), Qt::CaseInsensitive) == 0;
}

std::vector<int> CProcessingCostTab::ColumnWidths(int gridWidth) const
{
    const int d = gridWidth - 25;
    return {d / 2, d / 4, d / 4};
}

void CProcessingCostTab::PrepareLoad()
{
    if (!m_button)
        m_button = std::make_unique<CMyGXButton>(grid());
    GetUnitChoiceList(QStringLiteral("OperatingCost"), m_unitList);
}

void CProcessingCostTab::StyleExtraColumns(int first, int last)
{
    grid()->SetStyleRange(CGridRange(first, UOM_COL, last, UOM_COL),
                          CGridCellStyle().SetControl(GRID_CTRL_DROPDOWNLIST).SetChoiceList(m_unitList));
}

void CProcessingCostTab::LoadRowExtras(int row, const CCostFactorPreferenceSet& set)
{
    CostFactorData record;
    record.m_costFactorID = set.GetLong(QStringLiteral("CostFactorID"));
    m_button->AddCostFactorData(record);
    const bool noUnit = ItemHasNoUnit(set.GetText(QStringLiteral("CostFactorItem")));
    grid()->SetStyleRange(CGridRange(row, UOM_COL), CGridCellStyle()
                                                        .SetValue(set.GetText(QStringLiteral("CostFactorUOM")))
                                                        .SetEnabled(!noUnit)
                                                        .SetInterior(noUnit ? GRID_READONLY_COLOR : Qt::white));
}

QVariant CProcessingCostTab::RowUnit(int row) const
{
    const QString unit = Cell(row, UOM_COL);
    return unit.isEmpty() ? QVariant() : QVariant(unit);
}

bool CProcessingCostTab::HoldsID(long id) const
{
    return CCostFactorTab::HoldsID(id) || (m_button && m_button->HoldsID(id));
}
