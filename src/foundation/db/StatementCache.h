#pragma once
// The row writer's statements of one connection, each prepared once and kept until the connection
// closes. A statement is reset after every use: an active write (an INSERT ... RETURNING whose row
// was read) would keep its transaction open and make the next COMMIT fail. Beside them, what an
// INSERT stores in each column it leaves unset, read once per table.

#include <QHash>
#include <QSqlQuery>
#include <QString>
#include <QStringList>
#include <QVariantList>
#include <functional>
#include <unordered_map>

class QSqlDatabase;

enum class StatementKind { Insert, Update, Delete };

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

class CStatementCache {
public:
    using SqlBuilder = std::function<QString()>;
    using RowReader = std::function<void(QSqlQuery&)>;

    // Beyond this many statements the cache starts again empty.
    static constexpr size_t LIMIT = 64;

    // Runs the key's statement (prepared from sql() on first use) with the values bound in order,
    // hands it to read while its rows are there and resets it, also when read throws. Raises
    // CDaoException on an error.
    void run(const QSqlDatabase& database, const StatementKey& key, const SqlBuilder& sql,
             const QVariantList& values, const RowReader& read);
    size_t size() const { return m_statements.size(); }
    // Finalises every statement; done before the connection closes.
    void clear() { m_statements.clear(); }

    UnsetValue unsetValue(const QSqlDatabase& database, const QString& table, const QString& column);
    // After a change of the schema: the columns are read again.
    void forgetTables() { m_tables.clear(); }

private:
    using TableColumns = QHash<QString, UnsetValue>; // by column name as declared and in lower case

    QSqlQuery& prepared(const QSqlDatabase& database, const StatementKey& key, const SqlBuilder& sql);
    static TableColumns readColumns(const QSqlDatabase& database, const QString& table);

    std::unordered_map<StatementKey, QSqlQuery, StatementKeyHash> m_statements;
    QHash<QString, TableColumns> m_tables; // by table name as the caller writes it
};
