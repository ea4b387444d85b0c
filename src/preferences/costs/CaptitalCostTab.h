#pragma once
// "Capital Cost": the capital cost factors (kind "Capital") and their total; negative factors
// are refused.

#include "preferences/costs/TotalledCostFactorTab.h"

class CCaptitalCostTab : public CTotalledCostFactorTab {
public:
    explicit CCaptitalCostTab(QWidget* parent = nullptr);

protected:
    std::vector<int> ColumnWidths(int gridWidth) const override;
};
