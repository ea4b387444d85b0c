#include "foundation/db/connection/ConnectString.h"

namespace {

const QString DATABASE_KEY = QStringLiteral("DATABASE=");
const QString PASSWORD_KEY = QStringLiteral(";PWD=");

// The path may itself hold ';', so it runs up to ";PWD=" when there is one, else to a final ';'.
QString databaseValue(const QString& text, qsizetype start)
{
    qsizetype end = text.indexOf(PASSWORD_KEY, start, Qt::CaseInsensitive);
    if (end < 0)
        end = text.endsWith(QLatin1Char(';')) ? text.size() - 1 : text.size();
    return text.mid(start, end - start);
}

QString passwordValue(const QString& text)
{
    const qsizetype at = text.indexOf(PASSWORD_KEY, 0, Qt::CaseInsensitive);
    if (at < 0)
        return QString();
    const qsizetype start = at + PASSWORD_KEY.size();
    const qsizetype end = text.indexOf(QLatin1Char(';'), start);
    return text.mid(start, end < 0 ? -1 : end - start);
}

} // namespace

QString BuildConnectString(const QString& path, const QString& password)
{
    return QStringLiteral(";DATABASE=") + path + PASSWORD_KEY + password + QLatin1Char(';');
}

bool IsConnectString(const QString& text)
{
    return text.startsWith(QLatin1Char(';')) || text.startsWith(DATABASE_KEY, Qt::CaseInsensitive);
}

ConnectString ParseConnectString(const QString& text)
{
    if (!IsConnectString(text))
        return {text, QString()};
    const qsizetype at = text.indexOf(DATABASE_KEY, 0, Qt::CaseInsensitive);
    ConnectString parsed;
    if (at >= 0)
        parsed.database = databaseValue(text, at + DATABASE_KEY.size());
    parsed.password = passwordValue(text);
    return parsed;
}
