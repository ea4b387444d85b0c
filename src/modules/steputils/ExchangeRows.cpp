#include "modules/steputils/ExchangeRows.h"

#include "foundation/db/recordsets/BulkRows.h"
#include "foundation/db/connection/DaoDatabase.h"
#include "modules/steputils/ExchangeColumns.h"

#include <QSqlQuery>
#include <QSqlRecord>

#include <algorithm>

namespace {

// The table's own key (ExchangeColumnType makes it the row id), which orders a read of the table.
QString KeyColumnOf(const QString& table)
{
    for (const ExchangeColumn& column : ColumnsOfTable(table))
        if (column.role == ColumnRole::RowKey || column.role == ColumnRole::ItemKey)
            return column.column;
    return {};
}

} // namespace

void HeldExchangeRows::Append(const QString& table, const QStringList& columns, const ExchangeRowList& rows)
{
    if (!rows.isEmpty())
        m_tables[table].append({columns, rows});
}

ExchangeRowList HeldExchangeRows::Rows(const QString& table, const QStringList& columns, const QString& whereColumn,
                                       const QVariant& equals) const
{
    const QString key = KeyColumnOf(table);
    QList<std::pair<qlonglong, QVariantList>> keyed;
    for (const Part& part : m_tables.value(table)) {
        QList<qsizetype> at;
        for (const QString& column : columns)
            at.append(part.columns.indexOf(column));
        const qsizetype where = whereColumn.isEmpty() ? -1 : part.columns.indexOf(whereColumn);
        const qsizetype keyAt = part.columns.indexOf(key);
        for (const QVariantList& row : part.rows) {
            if (!whereColumn.isEmpty() && (where < 0 || row.value(where).toLongLong() != equals.toLongLong()))
                continue;
            QVariantList values;
            for (qsizetype i : at)
                values.append(i < 0 ? QVariant() : row.value(i));
            keyed.append({keyAt < 0 ? qlonglong(keyed.size()) : row.value(keyAt).toLongLong(), values});
        }
    }
    std::stable_sort(keyed.begin(), keyed.end(), [](const auto& a, const auto& b) { return a.first < b.first; });
    ExchangeRowList rows;
    for (auto& [key, values] : keyed)
        rows.append(std::move(values));
    return rows;
}

ExchangeRowList ReadExchangeRows(CDaoDatabase& database, const QString& sql, const QVariantList& values)
{
    ExchangeRowList rows;
    QSqlQuery query = database.Query(sql, values);
    const int columns = query.record().count();
    while (query.next()) {
        QVariantList row;
        row.reserve(columns);
        for (int i = 0; i < columns; ++i) // a typed NULL would travel as "" or 0
            row.append(query.isNull(i) ? QVariant() : query.value(i));
        rows.append(row);
    }
    return rows;
}

ExchangeRowList ReadKeptRows(CDaoDatabase& database, const QString& table, const QString& sql,
                             const QVariantList& values, int columns)
{
    // A working copy's connection lives as long as the project: it is left holding none of these.
    if (database.GetRole() != DatabaseRole::ReadOnly)
        return ReadExchangeRows(database, sql, values);
    ExchangeRowList rows;
    const StatementKey key{StatementKind::Select, table, {sql}, {}, {}};
    database.Connection().execKept(key, [&sql] { return sql; }, values, [&rows, columns](KeptResult& result) {
        while (result.next()) {
            QVariantList row;
            row.reserve(columns);
            for (int i = 0; i < columns; ++i) {
                const QVariant value = result.value(i);
                row.append(value.isNull() ? QVariant() : value);
            }
            rows.append(row);
        }
    });
    return rows;
}

QStringList SharedColumns(CDaoDatabase& database, const QString& table, const QString& exchangeTable)
{
    QSet<QString> present;
    for (const QVariantList& column :
         ReadKeptRows(database, table, QStringLiteral("SELECT name FROM pragma_table_info(?)"), {table}, 1))
        present.insert(column.value(0).toString().toLower());
    QStringList columns;
    for (const QString& column : ColumnNamesOfTable(exchangeTable))
        if (present.contains(column.toLower()))
            columns.append(column);
    return columns;
}

QString QuotedColumns(const QStringList& columns, const QString& prefix)
{
    QStringList quoted;
    for (const QString& column : columns)
        quoted.append(prefix + QLatin1Char('"') + column + QLatin1Char('"'));
    return quoted.join(QStringLiteral(", "));
}

void InsertExchangeRows(CDaoDatabase& database, const QString& table, const QStringList& columns,
                        const ExchangeRowList& rows)
{
    if (rows.isEmpty() || columns.isEmpty())
        return;
    QStringList values;
    for (int i = 0; i < columns.size(); ++i)
        values.append(QStringLiteral("value ->> %1").arg(i));
    database.Execute(QStringLiteral("INSERT INTO \"%1\" (%2) SELECT %3 FROM json_each(?)")
                         .arg(table, QuotedColumns(columns), values.join(QStringLiteral(", "))),
                     {JsonRows(rows)});
}

QString JsonIDs(const QSet<long>& ids)
{
    QStringList texts;
    for (long id : ids)
        texts.append(QString::number(id));
    return QLatin1Char('[') + texts.join(QLatin1Char(',')) + QLatin1Char(']');
}
