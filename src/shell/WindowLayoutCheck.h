#pragma once
// Checks a saved main-window state or geometry before Qt restores it. Qt's restore trusts the
// counts and positions it reads: a damaged state can index past its dock areas or walk billions of
// toolbar lines. The check walks the same structure with every count bounded by the docks and
// toolbars the window has and every length bounded by the data.

#include <QByteArray>

class QMainWindow;

bool IsRestorableWindowState(const QByteArray& state, const QMainWindow& window);
bool IsRestorableWindowGeometry(const QByteArray& geometry);
