#pragma once
// "Control Efficiencies  ": every component category of the regulatory-categories library with
// its default control efficiency in percent (0 to 100), stored in the project. At OK the rows of
// the shown categories are replaced, one per category with a value; rows of other categories
// stay as they are.

#include "foundation/controls/GridCellValidator.h"
#include "preferences/emissions/EmissionSheetPage.h"

#include <QStringList>

class CObjectGridWnd;

class CVaporEmissionCtrlEfficiencyTab : public CEmissionSheetPage, private IGridCellValidator {
    Q_OBJECT
public:
    static constexpr int EFFICIENCY_GRID = 1172;

    CVaporEmissionCtrlEfficiencyTab();

    bool CheckEntries() override;
    bool IsLoaded() const override { return m_loaded; }
    bool WritePage(CDaoDatabase& project) override;

    CObjectGridWnd* Grid() const { return m_grid; }

private:
    bool Load();
    bool ReadCategories();
    bool ShowStoredEfficiencies();
    void LayOutGrid(int rows);
    bool ValidateCell(CObjectGridWnd& grid, int row, int col, const QString& text, QString* warning) override;

    CObjectGridWnd* m_grid = nullptr;
    QStringList m_categories;
    QStringList m_shownEfficiencies;
    bool m_loaded = false;
};
