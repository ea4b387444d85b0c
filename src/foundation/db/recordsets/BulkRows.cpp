#include "foundation/db/recordsets/BulkRows.h"
#include "foundation/db/recordsets/JsonIds.h"

#include "foundation/db/connection/DaoDatabase.h"
#include "foundation/db/recordsets/JsonValueText.h"
#include "foundation/db/recordsets/RecordsetWriter.h"

namespace {

// Marks these statements in a connection's cache apart from the recordset writer's.
const QString BULK_KEY = QStringLiteral("bulk rows");

QString InsertFromJsonSql(const QString& table, const QStringList& columns)
{
    QStringList names, values;
    for (qsizetype i = 0; i < columns.size(); ++i) {
        names << QuoteIdentifier(columns.at(i));
        values << QStringLiteral("json_extract(value, '$[%1]')").arg(i);
    }
    return QStringLiteral("INSERT INTO %1 (%2) SELECT %3 FROM json_each(?) ORDER BY key")
        .arg(QuoteIdentifier(table), names.join(QStringLiteral(", ")), values.join(QStringLiteral(", ")));
}

void AppendJsonRow(QString& text, const QVariantList& row)
{
    text.append(QLatin1Char('['));
    for (qsizetype i = 0; i < row.size(); ++i) {
        if (i > 0)
            text.append(QLatin1Char(','));
        AppendJsonValue(text, row.at(i));
    }
    text.append(QLatin1Char(']'));
}

} // namespace

QString JsonRows(const QList<QVariantList>& rows)
{
    QString text;
    text.reserve(2 + rows.size() * (rows.isEmpty() ? 0 : 2 + 12 * rows.first().size()));
    text.append(QLatin1Char('['));
    for (qsizetype r = 0; r < rows.size(); ++r) {
        if (r > 0)
            text.append(QLatin1Char(','));
        AppendJsonRow(text, rows.at(r));
    }
    text.append(QLatin1Char(']'));
    return text;
}

QString JsonIds(const QList<long>& ids)
{
    QString text;
    text.reserve(2 + ids.size() * 8);
    text.append(QLatin1Char('['));
    for (qsizetype i = 0; i < ids.size(); ++i) {
        if (i > 0)
            text.append(QLatin1Char(','));
        text.append(QString::number(ids.at(i)));
    }
    text.append(QLatin1Char(']'));
    return text;
}

void ExecKept(CDaoDatabase& database, const QString& table, const QString& sql, const QVariantList& values,
              const CStatementCache::RowReader& read)
{
    const StatementKey key{StatementKind::Update, table, {sql}, {BULK_KEY}, {}};
    database.Connection().execKept(
        key, [&sql] { return sql; }, values, read);
}

void ReplaceTableRows(CDaoDatabase& database, const QString& table, const QStringList& columns,
                      const QString& scopeColumn, const QVariant& scopeValue, const QList<QVariantList>& rows)
{
    if (scopeColumn.isEmpty())
        ExecKept(database, table, QStringLiteral("DELETE FROM %1").arg(QuoteIdentifier(table)), {});
    else
        ExecKept(database, table,
                 QStringLiteral("DELETE FROM %1 WHERE %2 = ?")
                     .arg(QuoteIdentifier(table), QuoteIdentifier(scopeColumn)),
                 {scopeValue});
    if (!rows.isEmpty())
        ExecKept(database, table, InsertFromJsonSql(table, columns), {JsonRows(rows)});
}
