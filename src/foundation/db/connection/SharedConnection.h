#pragma once
// One open SQLite file, shared by every CDaoDatabase of this process that opens it. The registry
// is keyed by canonical path; the underlying connection closes when its last user lets go.

#include "foundation/common/BusyGuard.h"
#include "foundation/db/connection/ChangeTracking.h"
#include "foundation/db/connection/StatementCache.h"

#include <QSqlDatabase>
#include <QString>
#include <QVariant>
#include <functional>
#include <memory>
#include <optional>

class QSqlDatabase;
class QSqlQuery;

enum class DatabaseRole {
    ReadOnly,  // files of a project or template folder, previews
    ReadWrite, // rollback journal, as the file is
    // WAL from its first write on (a copy the layer wrote is read in its rollback form, which
    // creates no file) and synchronous=EXTRA: each commit is on disk when it returns, so a crash
    // of the program or a power loss keeps every completed action, its commits in their order.
    WorkingCopy,
};

// Reads a file that alone holds its database (no journal beside it) through a connection of its
// own that can change nothing: read-only and taken as unchangeable (no lock, no side file, a
// connection of the registry on the file left unread), with trusted_schema off. read gets the open
// connection; false with *error when the file cannot be opened.
bool ReadAsUnchangeable(const QString& path, const std::function<void(const QSqlDatabase&)>& read, QString* error);

class CSharedConnection : public std::enable_shared_from_this<CSharedConnection> {
public:
    // Opens the file in the role or shares the connection already open on it; never creates it.
    static std::shared_ptr<CSharedConnection> acquire(const QString& path, DatabaseRole role);
    static std::shared_ptr<CSharedConnection> find(const QString& path);
    // find() by a key already in registry form (see registryKey).
    static std::shared_ptr<CSharedConnection> findByKey(const QString& key);
    static bool isOpen(const QString& path) { return find(path) != nullptr; }
    // The registry key: the canonical path, or the clean absolute path of a missing file.
    static QString registryKey(const QString& path);

    ~CSharedConnection();
    CSharedConnection(const CSharedConnection&) = delete;
    CSharedConnection& operator=(const CSharedConnection&) = delete;

    // The connection for a statement; the first call completes a deferred working-copy setup.
    QSqlDatabase database();
    const QString& path() const { return m_path; }
    DatabaseRole role() const { return m_role; }
    bool writable() const { return m_role != DatabaseRole::ReadOnly; }

    // The page cache: a step connection that no view or edit is using keeps a small one
    // (StepConnectionUse.h); set before the first statement, it applies at that statement.
    void setSmallPageCache(bool small);
    bool hasSmallPageCache() const { return m_smallPageCache; }
    int& pageCacheUsers() { return m_pageCacheUsers; }
    // Hands back the memory of the cached pages no statement holds and of the kept statements.
    void releaseMemory();
    // The same; a working copy that has only been read gives back its whole engine handle.
    void releaseHandleIfOnlyRead();

    // Runs one statement with bound values; raises CDaoException on any error.
    QSqlQuery exec(const QString& sql, const QVariantList& values = {});
    long lastRecordsAffected() const { return m_recordsAffected; }
    // Runs one of the statements the connection keeps prepared (see CStatementCache::run).
    void execKept(const StatementKey& key, const CStatementCache::SqlBuilder& sql, const QVariantList& values,
                  const CStatementCache::RowReader& read = {});
    size_t keptStatementCount() const { return m_statements.size(); }
    // What an INSERT that leaves the column of the table unset stores there.
    UnsetValue unsetValue(const QString& table, const QString& column)
    {
        return m_statements.unsetValue(database(), table, column);
    }
    quint64 schemaGeneration() const { return m_statements.schemaGeneration(); }

    // Transaction levels: the outer one is BEGIN/COMMIT, inner ones are savepoints.
    int transactionDepth() const { return m_depth; }
    // Adds what changed since the last reading to the path's change number (see ChangeTracking.h).
    void readChanges()
    {
        if (m_changes.reading())
            m_changes.read(handle());
    }
    // The path's change number once what changed has been read (ChangeNumber() without a lookup).
    quint64 changeNumber()
    {
        readChanges();
        return m_changes.number();
    }
    void begin();
    void commit();
    void rollback();

private:
    CSharedConnection(const QString& path, DatabaseRole role);
    void open();
    bool deferSetup();
    void connectHandle();
    void completeSetup();
    QSqlDatabase handle() const;
    void setSynchronousLevel();
    void applyPageCacheSize();
    void validate();
    void switchToWriteAheadLog();
    void beforeWrite();
    void discard();
    void rollbackQuietly(const QString& sql);

    QString m_path;
    QString m_name;
    DatabaseRole m_role;
    bool m_setupDeferred = false; // no statement yet (the engine handle may not exist)
    bool m_walDeferred = false; // a working copy still in its rollback form: switched at a write
    bool m_smallPageCache = false;
    int m_pageCacheUsers = 0;
    int m_depth = 0;
    std::optional<CBusyScope> m_busy; // held while a transaction is open
    long m_recordsAffected = 0;
    CStatementCache m_statements;
    CChangeReading m_changes{m_path};
};
