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
