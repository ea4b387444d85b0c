#pragma once
// The error every database call of the layer raises: the engine's description of what went wrong.

#include <QByteArray>
#include <QString>
#include <exception>

class QSqlError;

class CDaoException : public std::exception {
public:
    explicit CDaoException(const QString& description);
    // The driver's text of the error, prefixed with what the layer was doing when it is given.
    static CDaoException fromSqlError(const QSqlError& error, const QString& context = QString());

    const QString& GetErrorDescription() const { return m_strDescription; }
    const char* what() const noexcept override { return m_utf8.constData(); }

    QString m_strDescription;

private:
    QByteArray m_utf8;
};
