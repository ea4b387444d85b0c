#pragma once
// A database of the layer: one SQLite file, opened in an explicit role. Every instance that opens
// the same file shares one connection. Errors raise CDaoException.

#include "foundation/db/connection/SharedConnection.h"

#include <QString>
#include <QVariant>
#include <memory>

class QSqlQuery;

class CDaoDatabase {
public:
    CDaoDatabase() = default;
    ~CDaoDatabase();
    CDaoDatabase(const CDaoDatabase&) = delete;
    CDaoDatabase& operator=(const CDaoDatabase&) = delete;

    // A path or a connect string ";DATABASE=...;PWD=...;". Never creates the file.
    void Open(const QString& pathOrConnect, DatabaseRole role = DatabaseRole::ReadWrite);
    // The classic form: the name or, when it is empty, the DATABASE of the connect string.
    // Exclusive access is accepted and not used.
    void Open(const QString& name, bool exclusive, bool readOnly, const QString& connect = QString());
    bool IsOpen() const { return m_connection != nullptr; }
    // Rolls back the transaction levels this instance began and not finished.
    void Close();
    QString GetName() const { return m_connection ? m_connection->path() : QString(); }
    DatabaseRole GetRole() const;
    bool CanUpdate() const { return m_connection && m_connection->writable(); }

    void BeginTrans();
    void CommitTrans();
    void Rollback();
    bool InTransaction() const { return m_connection && m_connection->transactionDepth() > 0; }

    // One statement; values are bound in order to its '?' placeholders.
    void Execute(const QString& sql, const QVariantList& values = {});
    long GetRecordsAffected() const { return m_connection ? m_connection->lastRecordsAffected() : 0; }
    // Runs a statement and hands back the positioned-before-first query (forward only).
    QSqlQuery Query(const QString& sql, const QVariantList& values = {});

    CSharedConnection& Connection() const;

private:
    std::shared_ptr<CSharedConnection> m_connection;
    int m_ownLevels = 0;
};
