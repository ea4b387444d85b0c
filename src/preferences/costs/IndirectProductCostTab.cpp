#include "preferences/costs/IndirectProductCostTab.h"

#include "foundation/controls/FactorColumnValidator.h"

CIndirectProductCostTab::CIndirectProductCostTab(QWidget* parent)
    : CTotalledCostFactorTab({QStringLiteral("Indirect Product"), 9987, 1613,
                              {QStringLiteral("Indirect Product Cost Item"), QStringLiteral("Cost Factor"), QString()},
                              1398, 1399,
                              {QStringLiteral("Indirect Product Cost =  Total Indirect Product Cost Factor  x Total "
                                              "Direct Product Cost")}},
                             1614, "Total Indirect Product Cost Factor: ", parent)
{
    SetFactorValidator(CFactorColumnValidator::AnySign);
}

std::vector<int> CIndirectProductCostTab::ColumnWidths(int gridWidth) const
{
    const int c = (gridWidth - 10) / 2 - 14;
    return {c, c};
}
