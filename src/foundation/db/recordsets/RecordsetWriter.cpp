#include "foundation/db/recordsets/RecordsetWriter.h"

#include "foundation/db/connection/DaoDatabase.h"
#include "foundation/db/connection/DaoException.h"
#include "foundation/db/connection/DaoTransaction.h"

#include <QSqlQuery>
#include <algorithm>

namespace {

QStringList quoted(const QStringList& names)
{
    QStringList result;
    result.reserve(names.size());
    for (const QString& name : names)
        result << QuoteIdentifier(name);
    return result;
}

// "a" = ?, "b" = ? joined by the separator.
QString assignments(const QStringList& names, const QString& separator)
{
    return quoted(names).join(QStringLiteral(" = ?") + separator) + QStringLiteral(" = ?");
}

QString whereClause(const QStringList& keys)
{
    return QStringLiteral(" WHERE ") + assignments(keys, QStringLiteral(" AND "));
}

QString insertSql(const StatementKey& key)
{
    QString sql = QStringLiteral("INSERT INTO ") + QuoteIdentifier(key.table);
    if (key.columns.isEmpty())
        sql += QStringLiteral(" DEFAULT VALUES");
    else
        sql += QStringLiteral(" (%1) VALUES (?%2)")
                   .arg(quoted(key.columns).join(','), QStringLiteral(",?").repeated(key.columns.size() - 1));
    if (!key.returned.isEmpty())
        sql += QStringLiteral(" RETURNING ") + quoted(key.returned).join(',');
    return sql;
}

} // namespace

QString QuoteIdentifier(const QString& name)
{
    QString quoted = name;
    quoted.replace(QLatin1Char('"'), QLatin1String("\"\""));
    return QLatin1Char('"') + quoted + QLatin1Char('"');
}

std::vector<int> CRecordsetWriter::WriteOrderOf(const DaoRecordsetDef& def)
{
    std::vector<int> order(def.columns.size());
    for (size_t i = 0; i < order.size(); ++i)
        order[i] = int(i);
    std::stable_sort(order.begin(), order.end(), [&def](int a, int b) {
        return def.columns[size_t(a)].writtenName() < def.columns[size_t(b)].writtenName();
    });
    return order;
}

// Taken in write order, so no row sorts names.
CRecordsetWriter::TableWork CRecordsetWriter::changedPerTable(const std::vector<bool>& changed) const
{
    TableWork work;
    for (int table = 0; table < int(m_def.tables.size()); ++table) {
        std::vector<int> columns;
        for (int column : m_writeOrder) {
            if (changed[size_t(column)] && m_def.columns[size_t(column)].table == table)
                columns.push_back(column);
        }
        if (!columns.empty())
            work.emplace_back(table, std::move(columns));
    }
    return work;
}

QStringList CRecordsetWriter::writtenNames(const std::vector<int>& columns) const
{
    QStringList names;
    names.reserve(qsizetype(columns.size()));
    for (int column : columns)
        names << m_def.columns[size_t(column)].writtenName();
    return names;
}

std::vector<int> CRecordsetWriter::keyColumns(int table) const
{
    const DaoBaseTable& base = m_def.tables[size_t(table)];
    if (base.keys.isEmpty())
        throw CDaoException(QStringLiteral("The table '%1' has no key to write by.").arg(base.name));
    std::vector<int> columns;
    for (const QString& key : base.keys) {
        const int at = m_columnIndex.value(key.toLower(), -1);
        if (at < 0)
            throw CDaoException(QStringLiteral("The key column '%1' is not a field of the set.").arg(key));
        columns.push_back(at);
    }
    return columns;
}

std::vector<int> CRecordsetWriter::unsetColumns(int table, const std::vector<int>& set) const
{
    std::vector<bool> isSet(m_def.columns.size(), false);
    for (int column : set)
        isSet[size_t(column)] = true;
    std::vector<int> columns;
    for (size_t i = 0; i < m_def.columns.size(); ++i) {
        if (m_def.columns[i].table == table && !isSet[i])
            columns.push_back(int(i));
    }
    return columns;
}

template <typename Write> void CRecordsetWriter::inOneTransaction(int tables, Write write)
{
    if (tables < 2) {
        write();
        return;
    }
    CDaoTransaction transaction(m_db);
    write();
    transaction.Commit();
}

void CRecordsetWriter::update(const QVariantList& original, const QVariantList& edited,
                              const std::vector<bool>& changed)
{
    const TableWork work = changedPerTable(changed);
    inOneTransaction(int(work.size()), [&] {
        for (const auto& [table, columns] : work)
            updateTable(table, columns, original, edited);
    });
}

void CRecordsetWriter::updateTable(int table, const std::vector<int>& columns, const QVariantList& original,
                                   const QVariantList& edited)
{
    const std::vector<int> keys = keyColumns(table);
    const StatementKey key{StatementKind::Update,
                           m_def.tables[size_t(table)].name,
                           writtenNames(columns),
                           writtenNames(keys),
                           {}};
    QVariantList values;
    values.reserve(qsizetype(columns.size() + keys.size()));
    for (int column : columns)
        values << edited.at(column);
    for (int column : keys)
        values << original.at(column);
    CSharedConnection& connection = m_db.Connection();
    connection.execKept(
        key,
        [&key] {
            return QStringLiteral("UPDATE ") + QuoteIdentifier(key.table) + QStringLiteral(" SET ") +
                   assignments(key.columns, QStringLiteral(", ")) + whereClause(key.keys);
        },
        values);
    if (connection.lastRecordsAffected() == 0)
        throw CDaoException(QStringLiteral("The record to update in '%1' no longer exists.").arg(key.table));
}

const InsertPlan* CInsertPlans::find(const std::vector<bool>& changed, quint64 schemaGeneration) const
{
    if (schemaGeneration != m_generation)
        return nullptr;
    for (const auto& [columns, plan] : m_plans) {
        if (columns == changed)
            return &plan;
    }
    return nullptr;
}

const InsertPlan& CInsertPlans::add(const std::vector<bool>& changed, quint64 schemaGeneration,
                                    InsertPlan plan)
{
    if (schemaGeneration != m_generation || m_plans.size() >= LIMIT) {
        m_plans.clear();
        m_generation = schemaGeneration;
    }
    return m_plans.emplace_back(changed, std::move(plan)).second;
}

long CRecordsetWriter::insert(QVariantList& row, const std::vector<bool>& changed)
{
    const InsertPlan& plan = insertPlan(changed);
    long firstID = 0;
    inOneTransaction(int(plan.size()), [&] {
        for (const InsertTablePlan& table : plan) {
            const long id = insertTable(table, row);
            if (&table == &plan.front())
                firstID = id;
        }
    });
    return firstID;
}

// Planned once per set of changed columns: inserting a row only binds its values.
const InsertPlan& CRecordsetWriter::insertPlan(const std::vector<bool>& changed)
{
    const quint64 generation = m_db.Connection().schemaGeneration();
    if (const InsertPlan* known = m_plans.find(changed, generation))
        return *known;
    TableWork work = changedPerTable(changed);
    if (work.empty())
        work.emplace_back(0, std::vector<int>());
    InsertPlan plan;
    for (auto& [table, columns] : work)
        plan.push_back(planTable(table, std::move(columns)));
    return m_plans.add(changed, generation, std::move(plan));
}

// A column left unset takes its default, the new row id or NULL; RETURNING hands back only the
// defaults, so an insert that sets every other column is a plain INSERT.
InsertTablePlan CRecordsetWriter::planTable(int table, std::vector<int> columns) const
{
    const QString& name = m_def.tables[size_t(table)].name;
    InsertTablePlan plan;
    for (int column : unsetColumns(table, columns)) {
        const UnsetValue value =
            m_db.Connection().unsetValue(name, m_def.columns[size_t(column)].writtenName());
        if (value == UnsetValue::RowId)
            plan.rowIds.push_back(column);
        else if (value == UnsetValue::Default)
            plan.defaults.push_back(column);
    }
    plan.key = {StatementKind::Insert, name, writtenNames(columns), {}, writtenNames(plan.defaults)};
    plan.columns = std::move(columns);
    return plan;
}

long CRecordsetWriter::insertTable(const InsertTablePlan& plan, QVariantList& row)
{
    QVariantList values;
    values.reserve(qsizetype(plan.columns.size()));
    for (int column : plan.columns)
        values << row.at(column);
    long id = 0;
    m_db.Connection().execKept(
        plan.key, [&plan] { return insertSql(plan.key); }, values,
        [&](KeptResult& result) {
            id = long(result.lastInsertId());
            if (result.next()) {
                for (size_t i = 0; i < plan.defaults.size(); ++i)
                    row[plan.defaults[i]] = result.value(int(i));
            }
        });
    for (int column : plan.rowIds)
        row[column] = qlonglong(id);
    return id;
}

void CRecordsetWriter::remove(const QVariantList& original)
{
    if (m_def.tables.empty())
        throw CDaoException(QStringLiteral("The set is read-only."));
    const std::vector<int> keys = keyColumns(0);
    const StatementKey key{StatementKind::Delete, m_def.tables.front().name, {}, writtenNames(keys), {}};
    QVariantList values;
    values.reserve(qsizetype(keys.size()));
    for (int column : keys)
        values << original.at(column);
    m_db.Connection().execKept(
        key,
        [&key] {
            return QStringLiteral("DELETE FROM ") + QuoteIdentifier(key.table) + whereClause(key.keys);
        },
        values);
}
