#pragma once
// The one error the library component raises: whatever failed below it (a database call, a
// library that cannot be read), with the description to show.

#include <QByteArray>
#include <QString>
#include <exception>

class CLibraryComponentError : public std::exception {
public:
    explicit CLibraryComponentError(const QString& description)
        : m_description(description), m_utf8(description.toUtf8())
    {
    }
    const QString& Description() const { return m_description; }
    const char* what() const noexcept override { return m_utf8.constData(); }

private:
    QString m_description;
    QByteArray m_utf8;
};
