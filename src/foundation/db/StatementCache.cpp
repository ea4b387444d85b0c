#include "foundation/db/StatementCache.h"

#include "foundation/db/DaoException.h"

#include <QHashFunctions>
#include <QSqlError>

namespace {

// Resets the statement when the use ends, however it ends.
class CStatementReset {
public:
    explicit CStatementReset(QSqlQuery& query) : m_query(query) {}
    ~CStatementReset() { m_query.finish(); }
    CStatementReset(const CStatementReset&) = delete;
    CStatementReset& operator=(const CStatementReset&) = delete;

private:
    QSqlQuery& m_query;
};

} // namespace

size_t StatementKeyHash::operator()(const StatementKey& key) const
{
    return qHashMulti(0, int(key.kind), key.table, key.columns, key.keys, key.returned);
}

QSqlQuery& CStatementCache::prepared(const QSqlDatabase& database, const StatementKey& key,
                                     const SqlBuilder& sql)
{
    const auto found = m_statements.find(key);
    if (found != m_statements.end())
        return found->second;
    QSqlQuery query(database);
    query.setForwardOnly(true);
    if (!query.prepare(sql()))
        throw CDaoException::fromSqlError(query.lastError());
    if (m_statements.size() >= LIMIT)
        clear();
    return m_statements.emplace(key, std::move(query)).first->second;
}

void CStatementCache::run(const QSqlDatabase& database, const StatementKey& key, const SqlBuilder& sql,
                          const QVariantList& values, const RowReader& read)
{
    QSqlQuery& query = prepared(database, key, sql);
    CStatementReset reset(query);
    for (qsizetype i = 0; i < values.size(); ++i)
        query.bindValue(int(i), values.at(i));
    if (!query.exec())
        throw CDaoException::fromSqlError(query.lastError());
    if (read)
        read(query);
}

CStatementCache::TableColumns CStatementCache::readColumns(const QSqlDatabase& database, const QString& table)
{
    QSqlQuery query(database);
    query.setForwardOnly(true);
    query.prepare(QStringLiteral("WITH info AS (SELECT * FROM pragma_table_info(?))"
                                 " SELECT name, type, dflt_value IS NOT NULL, pk,"
                                 " (SELECT count(*) FROM info WHERE pk > 0) FROM info"));
    query.bindValue(0, table);
    if (!query.exec())
        throw CDaoException::fromSqlError(query.lastError());
    TableColumns columns;
    while (query.next()) {
        const bool rowId =
            query.value(3).toInt() > 0 && query.value(4).toInt() == 1 &&
            query.value(1).toString().compare(QLatin1String("INTEGER"), Qt::CaseInsensitive) == 0;
        const bool hasDefault = query.value(2).toBool();
        const UnsetValue value = rowId        ? UnsetValue::RowId
                                 : hasDefault ? UnsetValue::Default
                                              : UnsetValue::Null;
        const QString name = query.value(0).toString();
        columns.insert(name, value);
        columns.insert(name.toLower(), value);
    }
    return columns;
}

UnsetValue CStatementCache::unsetValue(const QSqlDatabase& database, const QString& table,
                                       const QString& column)
{
    auto found = m_tables.find(table);
    if (found == m_tables.end())
        found = m_tables.insert(table, readColumns(database, table));
    const auto named = found->constFind(column);
    return named != found->cend() ? *named : found->value(column.toLower(), UnsetValue::Default);
}
