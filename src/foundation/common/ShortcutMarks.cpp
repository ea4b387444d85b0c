#include "foundation/common/ShortcutMarks.h"

QString EscapeShortcutMarks(const QString& text)
{
    QString escaped = text;
    return escaped.replace(QLatin1Char('&'), QStringLiteral("&&"));
}
