#pragma once
// Another database file readable on an open database's connection under a schema name, read-only,
// for the lifetime of the object. The path goes in as a bound value, never as SQL text; the file is
// never created. Attaching is refused while the connection is inside a transaction.

#include <QString>

class CDaoDatabase;

class CAttachedDatabase {
public:
    // Raises CDaoException when the file is missing or cannot be attached. The schema name is a
    // fixed name of the caller (letters and '_').
    CAttachedDatabase(CDaoDatabase& database, const QString& path, const QString& schemaName);
    // Detaches; a detach that fails leaves the file attached until the connection closes.
    ~CAttachedDatabase();
    CAttachedDatabase(const CAttachedDatabase&) = delete;
    CAttachedDatabase& operator=(const CAttachedDatabase&) = delete;

    // The "file:...?mode=ro" form of a path, as ATTACH takes it.
    static QString ReadOnlyUri(const QString& path);

private:
    CDaoDatabase& m_database;
    QString m_schemaName;
};
