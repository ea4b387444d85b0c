#include "preferences/costs/CaptitalCostTab.h"

#include "foundation/controls/FactorColumnValidator.h"

CCaptitalCostTab::CCaptitalCostTab(QWidget* parent)
    : CTotalledCostFactorTab({QStringLiteral("Capital"), 253, 1394,
                              {QStringLiteral("Cost Factor Item"), QStringLiteral("Cost Factor"), QString()},
                              1400, 1401,
                              {QStringLiteral("Installation Cost = Purchase Cost x Total Installation Cost Factor")}},
                             1402, "Total Installation Cost Factor: ", parent)
{
    SetFactorValidator(CFactorColumnValidator::RefuseNegative);
}

std::vector<int> CCaptitalCostTab::ColumnWidths(int gridWidth) const
{
    const int c = (gridWidth - 14) / 2;
    return {c - 10, c - 18};
}
