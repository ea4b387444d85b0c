#include "modules/ravelstock/ItemCopy.h"

#include "foundation/db/BulkRows.h"
#include "foundation/db/DaoDatabase.h"

#include <QSqlQuery>
#include <QSqlRecord>

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

CopiedRows ReadLibraryRows(CDaoDatabase& library, const QString& sql, const QVariantList& values)
{
    CopiedRows copied;
    QSqlQuery query = library.Query(sql, values);
    const QSqlRecord record = query.record();
    for (int i = 0; i < record.count(); ++i)
        copied.columns << record.fieldName(i);
    while (query.next()) {
        QVariantList row;
        for (int i = 0; i < record.count(); ++i)
            row << query.value(i);
        copied.rows << row;
    }
    return copied;
}

bool RowExists(CDaoDatabase& project, const QString& table, const QString& idColumn, long id)
{
    QSqlQuery row = project.Query(QStringLiteral("SELECT 1 FROM %1 WHERE %2 = ?").arg(table, idColumn), {qlonglong(id)});
    return row.next();
}

void WriteItemRow(CDaoDatabase& project, const QString& table, const QString& idColumn, long id,
                  const CopiedRows& row)
{
    QVariantList values = row.rows.value(0);
    if (RowExists(project, table, idColumn, id)) {
        QStringList assignments;
        for (const QString& column : row.columns)
            assignments << QStringLiteral("\"%1\" = ?").arg(column);
        values << qlonglong(id);
        ExecKept(project, table,
                 QStringLiteral("UPDATE %1 SET %2 WHERE %3 = ?").arg(table, assignments.join(", "), idColumn), values);
        return;
    }
    QStringList quoted{idColumn};
    for (const QString& column : row.columns)
        quoted << QStringLiteral("\"%1\"").arg(column);
    values.prepend(qlonglong(id));
    ExecKept(project, table,
             QStringLiteral("INSERT INTO %1 (%2) VALUES (%3)")
                 .arg(table, quoted.join(", "), QStringList(quoted.size(), QStringLiteral("?")).join(", ")),
             values);
}
