#include "foundation/db/BulkRows.h"

#include "foundation/db/DaoDatabase.h"
#include "foundation/db/RecordsetWriter.h"

#include <QJsonArray>
#include <QJsonDocument>

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

} // namespace

QString JsonRows(const QList<QVariantList>& rows)
{
    QJsonArray array;
    for (const QVariantList& row : rows)
        array.append(QJsonArray::fromVariantList(row));
    return QString::fromUtf8(QJsonDocument(array).toJson(QJsonDocument::Compact));
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
