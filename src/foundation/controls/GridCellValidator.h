#pragma once
// Seams between a grid and the page that owns it: extra checks of edited cells, and the
// notice that a value is about to be stored (pages that keep a running total listen to it).

#include <QString>

class CObjectGridWnd;

class IGridCellValidator {
public:
    virtual ~IGridCellValidator() = default;
    // Checks the edited text of (row, col). Returns false to refuse it; *warning, when set,
    // is shown to the user. Runs before the cell's own value rules.
    virtual bool ValidateCell(CObjectGridWnd& grid, int row, int col, const QString& text,
                              QString* warning) = 0;
};

class IGridValueObserver {
public:
    virtual ~IGridValueObserver() = default;
    // Called before a new value text is stored in (row, col).
    virtual void OnStoreValue(int row, int col, const QString& text) = 0;
};
