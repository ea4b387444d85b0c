#pragma once
// A cost factor page that shows the total of its factors below the grid, kept up to date as
// values are stored in the grid and rows are deleted.

#include "foundation/controls/GridCellValidator.h"
#include "preferences/costs/CostFactorTab.h"

class QLabel;

class CTotalledCostFactorTab : public CCostFactorTab, public IGridValueObserver {
public:
    CTotalledCostFactorTab(const Layout& layout, int totalID, const char* totalLabel, QWidget* parent = nullptr);

    // Shows the sum of the factor column, the text value standing for the row's cell. Only
    // the factor column counts; a text that is no number adds 0.
    void UpdateTotalCostFactor(int row, int col, const QString& newValue);
    void OnStoreValue(int row, int col, const QString& text) override { UpdateTotalCostFactor(row, col, text); }
    QString TotalText() const;

protected:
    void AfterLoad() override;
    void AfterDelete() override;

private:
    void ShowTotal(double total);

    QLabel* m_total;
};
