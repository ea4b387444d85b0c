#pragma once
// Whole rows of a dialog's grid selected as a user selects them.

#include "foundation/controls/ObjectGridWnd.h"

#include <QItemSelectionModel>
#include <initializer_list>

inline void SelectGridRows(CObjectGridWnd* grid, std::initializer_list<int> rows)
{
    grid->clearSelection();
    for (int row : rows)
        grid->selectionModel()->select(grid->model()->index(row - 1, 0),
                                       QItemSelectionModel::Select | QItemSelectionModel::Rows);
}
