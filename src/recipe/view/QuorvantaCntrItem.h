#pragma once
// The item a recipe window would hold for an embedded or linked object. Recipe windows embed no
// objects here (the desktop has no such embedding), so no document ever creates one; the class
// keeps only the fixed place such an object takes in the view and refuses activation in place.

#include <QRect>

class CQUORVANTACntrItem {
public:
    // Always 200 x 200 pixels at (10, 10) of the view, whatever the object's own size.
    static QRect OnGetItemPosition() { return QRect(QPoint(10, 10), QPoint(209, 209)); }
    static bool CanActivate() { return false; }
};
