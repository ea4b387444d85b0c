#pragma once
// The row writer's statements of one connection, each prepared once and kept until the connection
// closes. A statement is reset after every use: an active write (an INSERT ... RETURNING whose row
// was read) would keep its transaction open and make the next COMMIT fail.

#include <QSqlQuery>
#include <QString>
#include <QStringList>
#include <QVariantList>
#include <functional>
#include <unordered_map>

class QSqlDatabase;

enum class StatementKind { Insert, Update, Delete };

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

private:
    QSqlQuery& prepared(const QSqlDatabase& database, const StatementKey& key, const SqlBuilder& sql);

    std::unordered_map<StatementKey, QSqlQuery, StatementKeyHash> m_statements;
};
