#include "library/FacilityTreeIcons.h"

#include <QHash>
#include <QPainter>
#include <QPixmap>

#include <array>

namespace {

constexpr std::pair<int, int> DEFAULT_CLASS_ICONS{191, 290};

// The class ids with an icon pair of their own, as inclusive ranges.
constexpr std::array<std::pair<int, int>, 13> kIconClassRanges{{{1, 6}, {8, 14}, {16, 19}, {22, 22}, {24, 30},
                                                                 {32, 44}, {46, 59}, {61, 88}, {90, 98},
                                                                 {100, 106}, {110, 113}, {117, 117},
                                                                 {119, 121}}};

struct FixedIconRow {
    int classID;
    int normal;
    int selected;
};

constexpr FixedIconRow kFixedIconRows[] = {{1, 232, 241},     {54, 158, 272}, {66, 482, 483},
                                           {103, 15020, 15021}, {113, 541, 541}, {121, 191, 191}};

// The row index of a listed class id; -1 when the table lacks it.
int IconTableIndex(long classID)
{
    int index = 0;
    for (const auto& [first, last] : kIconClassRanges) {
        if (classID >= first && classID <= last)
            return index + int(classID - first);
        index += last - first + 1;
    }
    return -1;
}

QColor IconColour(int resourceID)
{
    return QColor::fromHsv((resourceID * 47) % 360, 150, 200);
}

QPixmap DrawIcon(int resourceID)
{
    QPixmap pixmap(16, 16);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(IconColour(resourceID).darker(160));
    painter.setBrush(IconColour(resourceID));
    if (resourceID == FACILITY_ICON || resourceID == FACILITY_SELECTED_ICON) {
        painter.drawRect(2, 6, 12, 8);                                     // the hall
        painter.drawPolygon(QPolygon({QPoint(2, 6), QPoint(8, 2), QPoint(14, 6)})); // its roof
    } else {
        painter.drawRoundedRect(QRectF(2.5, 2.5, 11, 11), 3, 3);
    }
    return pixmap;
}

} // namespace

std::pair<int, int> EquipmentClassIcons(long classID)
{
    for (const FixedIconRow& row : kFixedIconRows) {
        if (row.classID == classID)
            return {row.normal, row.selected};
    }
    const int index = IconTableIndex(classID);
    if (index < 0)
        return DEFAULT_CLASS_ICONS;
    return {300 + 2 * index, 301 + 2 * index};
}

int EquipmentClassIconRows()
{
    int rows = 0;
    for (const auto& [first, last] : kIconClassRanges)
        rows += last - first + 1;
    return rows;
}

QIcon FacilityIcon(int resourceID)
{
    static QHash<int, QIcon> cache;
    auto found = cache.constFind(resourceID);
    if (found != cache.constEnd())
        return *found;
    return *cache.insert(resourceID, QIcon(DrawIcon(resourceID)));
}
