#include "modules/ravelstock/ItemCopy.h"

#include "foundation/db/recordsets/BulkRows.h"
#include "foundation/db/connection/DaoDatabase.h"
#include "foundation/db/connection/DaoException.h"
#include "foundation/db/recordsets/RecordsetWriter.h"

#include <QSqlQuery>
#include <QSqlRecord>
#include <QSqlResult>
#include <sqlite3.h>

namespace {
// The names as the engine gives them: the driver's record leaves out any double quote in a name.
QStringList ColumnNames(const QSqlQuery& query)
{
    const QVariant handle = query.result()->handle();
    QStringList names;
    if (handle.isValid() && qstrcmp(handle.typeName(), "sqlite3_stmt*") == 0) {
        sqlite3_stmt* statement = *static_cast<sqlite3_stmt* const*>(handle.constData());
        for (int i = 0; statement && i < sqlite3_column_count(statement); ++i)
            names << QString::fromUtf8(sqlite3_column_name(statement, i));
    }
    return names;
}
} // namespace

int CopiedRows::Column(const QString& name) const
{
    for (int i = 0; i < columns.size(); ++i) {
        if (columns.at(i).compare(name, Qt::CaseInsensitive) == 0)
            return i;
    }
    return -1;
}

void CopiedRows::Drop(const QStringList& names)
{
    for (const QString& name : names) {
        const int column = Column(name);
        if (column < 0)
            continue;
        columns.removeAt(column);
        for (QVariantList& row : rows)
            row.removeAt(column);
    }
}

void CopiedRows::Set(const QString& name, const QVariant& value)
{
    int column = Column(name);
    if (column < 0) {
        columns << name;
        for (QVariantList& row : rows)
            row << value;
        return;
    }
    for (QVariantList& row : rows)
        row[column] = value;
}

void CopiedRows::KeepColumnsOf(CDaoDatabase& project, const QString& table)
{
    QSqlQuery info = project.Query(QStringLiteral("SELECT name FROM pragma_table_info(?)"), {table});
    QStringList known;
    while (info.next())
        known << info.value(0).toString();
    QStringList unknown;
    for (const QString& column : columns) {
        if (!known.contains(column, Qt::CaseInsensitive))
            unknown << column;
    }
    Drop(unknown);
}

CopiedRows ReadLibraryRows(CDaoDatabase& library, const QString& sql, const QVariantList& values)
{
    CopiedRows copied;
    QSqlQuery query = library.Query(sql, values);
    copied.columns = ColumnNames(query);
    const int count = query.record().count();
    if (copied.columns.size() != count)
        throw CDaoException(QStringLiteral("The column names of the library rows cannot be read."));
    while (query.next()) {
        QVariantList row;
        for (int i = 0; i < count; ++i)
            row << query.value(i);
        copied.rows << row;
    }
    return copied;
}

bool RowExists(CDaoDatabase& project, const QString& table, const QString& idColumn, long id)
{
    QSqlQuery row = project.Query(QStringLiteral("SELECT 1 FROM %1 WHERE %2 = ?")
                                      .arg(QuoteIdentifier(table), QuoteIdentifier(idColumn)),
                                  {qlonglong(id)});
    return row.next();
}

void WriteItemRow(CDaoDatabase& project, const QString& table, const QString& idColumn, long id,
                  const CopiedRows& row)
{
    QVariantList values = row.rows.value(0);
    QStringList quoted;
    for (const QString& column : row.columns)
        quoted << QuoteIdentifier(column);
    if (RowExists(project, table, idColumn, id)) {
        values << qlonglong(id);
        ExecKept(project, table,
                 QStringLiteral("UPDATE %1 SET %2 = ? WHERE %3 = ?")
                     .arg(QuoteIdentifier(table), quoted.join(QStringLiteral(" = ?, ")),
                          QuoteIdentifier(idColumn)),
                 values);
        return;
    }
    quoted.prepend(QuoteIdentifier(idColumn));
    values.prepend(qlonglong(id));
    ExecKept(project, table,
             QStringLiteral("INSERT INTO %1 (%2) VALUES (%3)")
                 .arg(QuoteIdentifier(table), quoted.join(QStringLiteral(", ")),
                      QStringList(quoted.size(), QStringLiteral("?")).join(QStringLiteral(", "))),
             values);
}
