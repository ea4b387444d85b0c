// The hub's icons, drawn here: a rounded tile in one colour per row of the hub with a short glyph.

#include "preferences/hub/Preference.h"

#include <QIcon>
#include <QPainter>
#include <QPixmap>

namespace {

struct IconArt {
    int id;
    const char* glyph;
    QRgb colour;
};

const IconArt PREFERENCE_ICON_ART[] = {
    {505, "RS", 0x2e7d32}, {506, "GD", 0x1565c0}, {507, "Ln", 0x6a1b9a}, {508, "0.0", 0xef6c00},
    {509, "UoM", 0x2e7d32}, {510, "$", 0x1565c0},  {511, "OI", 0x6a1b9a}, {512, "M", 0x2e7d32},
    {513, "PP", 0x1565c0},  {514, "Cal", 0x6a1b9a}, {515, "SC", 0x2e7d32}, {516, "RT", 0x1565c0},
    {517, "VE", 0x6a1b9a},  {518, "ED", 0x2e7d32}, {519, "Lb", 0x1565c0}, {520, "CT", 0x6a1b9a},
};

QPixmap DrawPreferenceTile(const IconArt& art)
{
    QPixmap pixmap(32, 32);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor::fromRgb(art.colour));
    painter.drawRoundedRect(QRectF(1, 1, 30, 30), 6, 6);
    painter.setPen(Qt::white);
    QFont font = painter.font();
    font.setBold(true);
    font.setPixelSize(qstrlen(art.glyph) > 2 ? 10 : 13);
    painter.setFont(font);
    painter.drawText(pixmap.rect(), Qt::AlignCenter, QString::fromLatin1(art.glyph));
    return pixmap;
}

} // namespace

QIcon PreferenceIcon(int iconID)
{
    for (const IconArt& art : PREFERENCE_ICON_ART) {
        if (art.id == iconID)
            return QIcon(DrawPreferenceTile(art));
    }
    return {};
}
