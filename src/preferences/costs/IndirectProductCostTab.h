#pragma once
// "Indirect Product Cost": the indirect product cost factors (kind "Indirect Product") and their
// total; factors of either sign.

#include "preferences/costs/TotalledCostFactorTab.h"

class CIndirectProductCostTab : public CTotalledCostFactorTab {
public:
    explicit CIndirectProductCostTab(QWidget* parent = nullptr);

protected:
    std::vector<int> ColumnWidths(int gridWidth) const override;
};
