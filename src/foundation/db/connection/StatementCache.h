#pragma once
// The row writer's statements of one connection, each prepared once on the connection's own engine
// handle and kept until the connection closes. A statement is reset after every use: an active
// write (an INSERT ... RETURNING whose row was read) would keep its transaction open and make the
// next COMMIT fail. Beside them, what an INSERT stores in each column it leaves unset, read once
// per table.

#include <QString>
#include <QStringList>
#include <QVariant>
#include <functional>
#include <memory>

class QSqlDatabase;
struct sqlite3;
struct sqlite3_stmt;

enum class StatementKind { Insert, Update, Delete, Select };

// What an INSERT stores in a column it leaves unset.
enum class UnsetValue {
    Null,    // no default
    RowId,   // the INTEGER PRIMARY KEY: the new row id
    Default, // a default (or a column not known): only the engine can tell
};

struct StatementKey {
    StatementKind kind;
    QString table;
    QStringList columns;  // the columns written, sorted
    QStringList keys;     // the columns of the WHERE clause, in order
    QStringList returned; // the columns of the RETURNING clause, in order

    bool operator==(const StatementKey& other) const = default;
};

struct StatementKeyHash {
    size_t operator()(const StatementKey& key) const;
};

// The outcome of one run of a kept statement, while it runs.
class KeptResult {
public:
    virtual ~KeptResult() = default;
    virtual long long lastInsertId() const = 0;
    virtual long long rowsAffected() const = 0;
    virtual bool next() = 0;                      // the next returned row; false after the last
    virtual QVariant value(int column) const = 0; // of the current row
};

class CStatementCache {
public:
    using SqlBuilder = std::function<QString()>;
    using RowReader = std::function<void(KeptResult&)>;

    // Beyond this many statements the cache starts again empty (never while a reader holds one).
    static constexpr size_t LIMIT = 64;

    CStatementCache();
    ~CStatementCache();
    CStatementCache(const CStatementCache&) = delete;
    CStatementCache& operator=(const CStatementCache&) = delete;

    // Runs the key's statement (prepared from sql() on first use) with the values bound in order,
    // hands it to read while its rows are there and resets it, also when read throws. read may run
    // other statements, not this one. Raises CDaoException on an error.
    void run(const QSqlDatabase& database, const StatementKey& key, const SqlBuilder& sql,
             const QVariantList& values, const RowReader& read);
    size_t size() const;
    // Finalises every statement; done before the connection closes.
    void clear();
    // Finalises every statement unless a reader holds one; for a connection nobody is using.
    void releaseIdle()
    {
        if (m_running == 0)
            clear();
    }

    UnsetValue unsetValue(const QSqlDatabase& database, const QString& table, const QString& column);
    // After a change of the schema: the columns are read again.
    void forgetTables();
    // Changes with every forgetTables; no two caches share one, so what was planned from the
    // columns of one connection is never taken for another's.
    quint64 schemaGeneration() const { return m_generation; }

private:
    // The prepared statements and the columns read, kept out of this header: most of the program
    // includes it, and their containers' code is compiled once, in StatementCache.cpp.
    struct Kept;

    sqlite3_stmt* prepared(sqlite3* engine, const StatementKey& key, const SqlBuilder& sql);
    static quint64 NextGeneration();

    std::unique_ptr<Kept> m_kept;
    int m_running = 0; // readers holding a statement of the cache
    quint64 m_generation = NextGeneration();
};
