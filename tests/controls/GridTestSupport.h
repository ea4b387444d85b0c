#pragma once
// Driving a grid cell edit the way the user does: open the editor, type, and leave.

#include "foundation/controls/ObjectGridWnd.h"

#include <QApplication>
#include <QKeyEvent>
#include <QLineEdit>

template <typename Editor = QLineEdit> Editor* OpenCellEditor(CObjectGridWnd& grid, int row, int col)
{
    grid.SetCurrentCell(row, col);
    grid.edit(grid.model()->index(row - 1, col - 1));
    return qobject_cast<Editor*>(grid.CurrentEditor());
}

inline void PressKey(QWidget* target, int key)
{
    QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier);
    QApplication::sendEvent(target, &press);
    QApplication::processEvents();
}
