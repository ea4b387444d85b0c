#pragma once
// "Processing Cost": the processing cost factors (kind "Processing") as stored; the page neither
// adds nor removes rows and writes every row. A factor that is no number is stored as 0. The
// unit cell is disabled for an item that names a factor ("...factor", "Number of Operators").

#include "preferences/costs/CostFactorTab.h"

class CMyGXButton;

class CProcessingCostTab : public CCostFactorTab {
public:
    static constexpr int UOM_COL = 3;

    explicit CProcessingCostTab(QWidget* parent = nullptr);
    ~CProcessingCostTab() override;

    bool HoldsID(long id) const override;
    // Whether the item counts persons or multiplies, and so has no unit.
    static bool ItemHasNoUnit(const QString& item);

protected:
    std::vector<int> ColumnWidths(int gridWidth) const override;
    void PrepareLoad() override;
    void StyleExtraColumns(int first, int last) override;
    void LoadRowExtras(int row, const CCostFactorPreferenceSet& set) override;
    bool KeepsEmptyRows() const override { return true; }
    QVariant RowUnit(int row) const override;

private:
    std::unique_ptr<CMyGXButton> m_button;
    QString m_unitList;
};
