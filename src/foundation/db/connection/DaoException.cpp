#include "foundation/db/connection/DaoException.h"

#include <QSqlError>

CDaoException::CDaoException(const QString& description)
    : m_strDescription(description), m_utf8(description.toUtf8())
{
}

CDaoException CDaoException::fromSqlError(const QSqlError& error, const QString& context)
{
    QString text = error.databaseText();
    if (text.isEmpty())
        text = error.driverText();
    if (text.isEmpty())
        text = QStringLiteral("Unknown database error.");
    return CDaoException(context.isEmpty() ? text : context + QStringLiteral(": ") + text);
}
