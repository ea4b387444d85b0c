#pragma once
// A validating grid whose rows sort by a column when its title is double-clicked: a second
// double-click on the same title reverses the order. Whole rows move, hidden id cells included.

#include "foundation/controls/ObjectGridWnd.h"

class CObjectGridWndSort : public CObjectGridWnd {
    Q_OBJECT
public:
    explicit CObjectGridWndSort(QWidget* parent = nullptr);

    // Numbers sort by value and before texts; texts by the user-interface collation.
    void SortByColumn(int col, bool ascending);

private:
    void OnTitleDoubleClicked(int section);

    int m_sortedColumn = -1;
    bool m_ascending = true;
};
