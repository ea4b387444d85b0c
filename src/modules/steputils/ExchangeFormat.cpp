#include "modules/steputils/ExchangeFormat.h"

#include "modules/steputils/ExchangeColumns.h"

QString ExchangeColumnType(const ExchangeColumn& column)
{
    if (column.role == ColumnRole::RowKey || column.role == ColumnRole::ItemKey)
        return QStringLiteral("INTEGER PRIMARY KEY");
    switch (column.kind) {
    case ValueKind::Integer:
        return QStringLiteral("INTEGER");
    case ValueKind::Real:
        return QStringLiteral("REAL");
    case ValueKind::Text255:
        return QStringLiteral("TEXT COLLATE NOCASE");
    case ValueKind::Memo:
        return QStringLiteral("TEXT");
    }
    return QStringLiteral("TEXT");
}

QStringList ExchangeTableStatements()
{
    QStringList statements;
    for (const ExchangeTable& table : ExchangeTables()) {
        if (table.part != ExchangePart::Exchange)
            continue;
        QStringList columns;
        for (const ExchangeColumn& column : ColumnsOfTable(table.name))
            columns.append(QStringLiteral("\"%1\" %2").arg(column.column, ExchangeColumnType(column)));
        statements.append(QStringLiteral("CREATE TABLE \"%1\" (%2)").arg(table.name, columns.join(QStringLiteral(", "))));
    }
    return statements;
}
