#include "recipe/explorer/ProcessTreeIcons.h"

#include "recipe/explorer/ProcessTreeTypes.h"

#include <QHash>
#include <QPainter>
#include <QPixmap>

namespace {
struct IconDesign {
    int normalID;
    int selectedID;
    QColor fill;
    char shape; // 'p' process, 's' step, 'l' linked step, 'u' unit procedure, 'o' operation
};

const IconDesign kDesigns[] = {
    {ICON_PROCESS, ICON_PROCESS_SELECTED, QColor(0x2f, 0x6f, 0xb5), 'p'},
    {ICON_STEP, ICON_STEP_SELECTED, QColor(0x3a, 0x9a, 0x4a), 's'},
    {ICON_LINKED_STEP, ICON_LINKED_STEP_SELECTED, QColor(0x3a, 0x9a, 0x4a), 'l'},
    {ICON_UNIT_PROCEDURE, ICON_UNIT_PROCEDURE_SELECTED, QColor(0x8a, 0x5a, 0xb0), 'u'},
    {ICON_OPERATION, ICON_OPERATION_SELECTED, QColor(0x60, 0x60, 0x60), 'o'},
    {ICON_HIDDEN_OPERATION, ICON_HIDDEN_OPERATION_SELECTED, QColor(0xc0, 0xc0, 0xc0), 'o'},
};

void drawShape(QPainter& painter, char shape)
{
    switch (shape) {
    case 'p':
        painter.drawRoundedRect(QRectF(1.5, 2.5, 13, 11), 2, 2);
        break;
    case 's':
        painter.drawEllipse(QRectF(2.5, 2.5, 11, 11));
        break;
    case 'l':
        painter.drawEllipse(QRectF(1.5, 1.5, 8, 8));
        painter.drawEllipse(QRectF(6.5, 6.5, 8, 8));
        break;
    case 'u':
        painter.drawRect(QRectF(3.5, 3.5, 9, 9));
        break;
    default:
        painter.drawPolygon(QPolygonF({QPointF(4.5, 3.5), QPointF(12.5, 8), QPointF(4.5, 12.5)}));
        break;
    }
}

QPixmap drawIcon(const IconDesign& design, bool selected)
{
    QPixmap pixmap(16, 16);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QPen(selected ? Qt::black : design.fill.darker(150), selected ? 1.5 : 1.0));
    painter.setBrush(selected ? design.fill.lighter(130) : design.fill);
    drawShape(painter, design.shape);
    return pixmap;
}

const QHash<int, QIcon>& icons()
{
    static const QHash<int, QIcon> built = [] {
        QHash<int, QIcon> made;
        for (const IconDesign& design : kDesigns) {
            QIcon icon;
            icon.addPixmap(drawIcon(design, false), QIcon::Normal);
            icon.addPixmap(drawIcon(design, true), QIcon::Selected);
            made.insert(design.normalID, icon);
        }
        return made;
    }();
    return built;
}
} // namespace

QIcon ProcessTreeNodeIcon(int normalID)
{
    return icons().value(normalID);
}

int ProcessTreeImageCount()
{
    int count = 0;
    for (const QIcon& icon : icons())
        count += int(icon.availableSizes(QIcon::Normal).size() + icon.availableSizes(QIcon::Selected).size());
    return count;
}
