#include "foundation/db/RecordsetWriter.h"

#include "foundation/db/DaoDatabase.h"
#include "foundation/db/DaoException.h"
#include "foundation/db/DaoTransaction.h"

#include <QSqlQuery>

QString QuoteIdentifier(const QString& name)
{
    QString quoted = name;
    quoted.replace(QLatin1Char('"'), QLatin1String("\"\""));
    return QLatin1Char('"') + quoted + QLatin1Char('"');
}

std::vector<int> CRecordsetWriter::columnsOf(int table, const std::vector<bool>& changed) const
{
    std::vector<int> columns;
    for (size_t i = 0; i < m_def.columns.size(); ++i) {
        if (changed[i] && m_def.columns[i].table == table)
            columns.push_back(int(i));
    }
    return columns;
}

int CRecordsetWriter::keyColumn(const QString& key) const
{
    const int at = m_columnIndex.value(key.toLower(), -1);
    if (at < 0)
        throw CDaoException(QStringLiteral("The key column '%1' is not a field of the set.").arg(key));
    return at;
}

QString CRecordsetWriter::whereKey(int table, QVariantList& values, const QVariantList& row) const
{
    const DaoBaseTable& base = m_def.tables[size_t(table)];
    if (base.keys.isEmpty())
        throw CDaoException(QStringLiteral("The table '%1' has no key to write by.").arg(base.name));
    QStringList terms;
    for (const QString& key : base.keys) {
        const int column = keyColumn(key);
        terms << QuoteIdentifier(m_def.columns[size_t(column)].writtenName()) + QStringLiteral(" = ?");
        values << row.at(column);
    }
    return QStringLiteral(" WHERE ") + terms.join(QStringLiteral(" AND "));
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
    std::vector<std::pair<int, std::vector<int>>> work;
    for (int table = 0; table < int(m_def.tables.size()); ++table) {
        auto columns = columnsOf(table, changed);
        if (!columns.empty())
            work.emplace_back(table, std::move(columns));
    }
    inOneTransaction(int(work.size()), [&] {
        for (const auto& [table, columns] : work)
            updateTable(table, columns, original, edited);
    });
}

void CRecordsetWriter::updateTable(int table, const std::vector<int>& columns, const QVariantList& original,
                                   const QVariantList& edited)
{
    QStringList assignments;
    QVariantList values;
    for (int column : columns) {
        assignments << QuoteIdentifier(m_def.columns[size_t(column)].writtenName()) + QStringLiteral(" = ?");
        values << edited.at(column);
    }
    const QString sql = QStringLiteral("UPDATE ") + QuoteIdentifier(m_def.tables[size_t(table)].name) +
                        QStringLiteral(" SET ") + assignments.join(QStringLiteral(", ")) +
                        whereKey(table, values, original);
    m_db.Execute(sql, values);
    if (m_db.GetRecordsAffected() == 0)
        throw CDaoException(QStringLiteral("The record to update in '%1' no longer exists.")
                                .arg(m_def.tables[size_t(table)].name));
}

long CRecordsetWriter::insert(QVariantList& row, const std::vector<bool>& changed)
{
    std::vector<std::pair<int, std::vector<int>>> work;
    for (int table = 0; table < int(m_def.tables.size()); ++table) {
        auto columns = columnsOf(table, changed);
        if (!columns.empty())
            work.emplace_back(table, std::move(columns));
    }
    if (work.empty())
        work.emplace_back(0, std::vector<int>());
    long firstID = 0;
    inOneTransaction(int(work.size()), [&] {
        for (size_t i = 0; i < work.size(); ++i) {
            const long id = insertTable(work[i].first, work[i].second, row);
            if (i == 0)
                firstID = id;
        }
    });
    return firstID;
}

// RETURNING hands back what the engine stored: the new AutoNumber and column defaults.
long CRecordsetWriter::insertTable(int table, const std::vector<int>& columns, QVariantList& row)
{
    QStringList names, marks, returned;
    QVariantList values;
    std::vector<int> refreshed;
    for (int column : columns) {
        names << QuoteIdentifier(m_def.columns[size_t(column)].writtenName());
        marks << QStringLiteral("?");
        values << row.at(column);
    }
    for (size_t i = 0; i < m_def.columns.size(); ++i) {
        if (m_def.columns[i].table == table) {
            returned << QuoteIdentifier(m_def.columns[i].writtenName());
            refreshed.push_back(int(i));
        }
    }
    QString sql = QStringLiteral("INSERT INTO ") + QuoteIdentifier(m_def.tables[size_t(table)].name);
    sql += names.isEmpty() ? QStringLiteral(" DEFAULT VALUES")
                           : QStringLiteral(" (%1) VALUES (%2)").arg(names.join(','), marks.join(','));
    if (!returned.isEmpty())
        sql += QStringLiteral(" RETURNING ") + returned.join(',');
    QSqlQuery query = m_db.Query(sql, values);
    const long id = long(query.lastInsertId().toLongLong());
    if (query.next()) {
        for (size_t i = 0; i < refreshed.size(); ++i)
            row[refreshed[i]] = query.value(int(i));
    }
    return id;
}

void CRecordsetWriter::remove(const QVariantList& original)
{
    if (m_def.tables.empty())
        throw CDaoException(QStringLiteral("The set is read-only."));
    QVariantList values;
    const QString sql = QStringLiteral("DELETE FROM ") + QuoteIdentifier(m_def.tables.front().name) +
                        whereKey(0, values, original);
    m_db.Execute(sql, values);
}
