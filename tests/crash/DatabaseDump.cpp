#include "DatabaseDump.h"

#include "foundation/db/DaoDatabase.h"
#include "foundation/db/DaoException.h"

#include <QSqlQuery>
#include <QSqlRecord>

namespace {
QString render(const QVariant& value)
{
    if (value.isNull())
        return QStringLiteral("NULL");
    if (value.typeId() == QMetaType::QByteArray)
        return QStringLiteral("x'%1'").arg(QString::fromLatin1(value.toByteArray().toHex()));
    return QStringLiteral("%1:%2").arg(QString::fromLatin1(value.typeName()), value.toString());
}

QStringList rowsOf(CDaoDatabase& database, const QString& table)
{
    QStringList rows;
    QSqlQuery query = database.Query(QStringLiteral("SELECT * FROM \"%1\"").arg(table));
    while (query.next()) {
        QStringList values;
        for (int column = 0; column < query.record().count(); ++column)
            values << render(query.value(column));
        rows << table + ": " + values.join(QLatin1Char('|'));
    }
    rows.sort();
    return rows;
}

QStringList contentOf(CDaoDatabase& database)
{
    QSqlQuery version = database.Query(QStringLiteral("PRAGMA user_version"));
    QStringList content{
        QStringLiteral("user_version %1").arg(version.next() ? version.value(0).toInt() : -1)};
    QStringList tables;
    QSqlQuery schema = database.Query(QStringLiteral(
        "SELECT type, name, sql FROM sqlite_master WHERE name NOT LIKE 'sqlite_%' ORDER BY name"));
    while (schema.next()) {
        content << QStringLiteral("%1 %2: %3")
                       .arg(schema.value(0).toString(), schema.value(1).toString(),
                            schema.value(2).toString());
        if (schema.value(0).toString() == QLatin1String("table"))
            tables << schema.value(1).toString();
    }
    for (const QString& table : tables)
        content << rowsOf(database, table);
    return content;
}
} // namespace

DatabaseDump DumpDatabase(const QString& path)
{
    DatabaseDump dump;
    try {
        CDaoDatabase database;
        database.Open(path, DatabaseRole::ReadOnly);
        QSqlQuery check = database.Query(QStringLiteral("PRAGMA integrity_check"));
        dump.integrity = check.next() ? check.value(0).toString() : QStringLiteral("no answer");
        dump.content = contentOf(database);
    } catch (const CDaoException& e) {
        dump.integrity = e.GetErrorDescription();
        dump.content.clear();
    }
    return dump;
}
