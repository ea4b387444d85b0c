#pragma once
// The "..." cells of the cost factor grids (control 2115): one calculated-items record per grid
// row, found by cost factor id. A click opens the calculated items dialog on the current row's
// record; OK stores the chosen codes, enables the row's unit cell for times (empties and disables
// it for costs) and shows the items' library names, joined by " + ".

#include "foundation/db/project/CalculatedCostFactorLibrarySet.h"
#include "preferences/costs/CostFactorData.h"

class CObjectGridWnd;

class CMyGXButton {
public:
    static constexpr int CONTROL_ID = 2115;
    static constexpr int UOM_COL = 3;
    static constexpr int ITEMS_COL = 4;
    static constexpr int ID_COL = 6;

    // Registers the cell kind with the grid.
    explicit CMyGXButton(CObjectGridWnd* grid);
    CMyGXButton(const CMyGXButton&) = delete;
    CMyGXButton& operator=(const CMyGXButton&) = delete;

    void AddCostFactorData(const CostFactorData& data) { m_records.Add(data); }
    bool GetCostFactorData(long id, CostFactorData* out) const;
    bool SetCostFactorData(const CostFactorData* data);
    bool HoldsID(long id) const { return Find(id) >= 0; }

    // The click on (row, col); the current cell's row is the one edited.
    void LButtonUp(int row, int col);
    // The library names of the codes in their order, joined by " + "; unknown codes are left out.
    QString ItemNames(const Array<long>& codes);

private:
    long Find(long id) const;
    void ShowItems(int row, const CostFactorData& data, bool times);

    CObjectGridWnd* m_grid;
    Array<CostFactorData> m_records;
    CCalculatedCostFactorLibrarySet m_library;
};

// A cost factor id as its grid cell holds it: plain decimal.
QString CostFactorIDText(long id);
