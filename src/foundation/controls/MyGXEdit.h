#pragma once
// An edit column of a grid that carries its value on: when a cell (r, c) of the column gets a new
// value, the cell (r + 1, c - 1) shows it too, and an empty (r, c - 1) below row 1 takes the value
// of (r - 1, c). Nothing is written past the row limit or the grid's last row.

#include "foundation/controls/GridCellValidator.h"

class CObjectGridWnd;

class CMyGXEdit : public IGridValueObserver {
public:
    // Registers itself with the grid as its value observer for column col (col >= 2).
    CMyGXEdit(CObjectGridWnd* grid, int controlId, int col);
    ~CMyGXEdit() override;

    void SetRowLimit(int rows) { m_rowLimit = rows; }
    int GetRowLimit() const { return m_rowLimit; }
    int GetControlId() const { return m_controlId; }
    void OnStoreValue(int row, int col, const QString& text) override;

private:
    CObjectGridWnd* m_grid;
    int m_controlId;
    int m_col;
    int m_rowLimit = 0;
};
