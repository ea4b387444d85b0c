#pragma once
// Where the grid keeps each cell's attributes in its items.

#include <Qt>

enum GridCellRole : int {
    ROLE_CELL_CONTROL = Qt::UserRole + 1,
    ROLE_CELL_READONLY,
    ROLE_CELL_ENABLED,
    ROLE_CELL_CHOICES,
    ROLE_CELL_ATTRIBUTES,
    ROLE_CELL_ITEMDATA, // the registered list entry a value was set or picked with
};
