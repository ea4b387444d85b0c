#include "foundation/db/schema/SchemaConstructs.h"

#include "foundation/db/schema/SchemaStatementParts.h"

#include <QRegularExpression>
#include <QSqlError>
#include <QSqlQuery>

#include <algorithm>

namespace {

// A DEFAULT the engine stores as a value, not as an expression it evaluates: a number, a string, a
// blob, NULL, TRUE, FALSE or the current time.
bool IsLiteralDefault(const QString& text)
{
    static const QRegularExpression literal(
        QStringLiteral("^\\s*(?:[+-]?\\s*(?:\\d+(?:\\.\\d*)?|\\.\\d+)(?:e[+-]?\\d+)?|[+-]?\\s*0x[0-9a-f]+|'(?"
                       ":[^']|'')*'|"
                       "x'[0-9a-f]*'|null|true|false|current_time|current_date|current_timestamp)\\s*$"),
        QRegularExpression::CaseInsensitiveOption);
    return literal.match(text).hasMatch();
}

bool ExecConstructQuery(QSqlQuery& query, const QString& sql, QString* error)
{
    query.setForwardOnly(true);
    if (query.exec(sql))
        return true;
    if (error)
        *error = query.lastError().databaseText();
    return false;
}

QString CollationRefusal(const NamedCollation& found, const QString& table)
{
    return QStringLiteral("the column \"%1\" of the table \"%2\" is not one of ours (the collation \"%3\")")
        .arg(found.column, table, found.collation);
}

// The tables the engine loaded, with their CHECK constraints, options, whether they have pages, and
// the collations they and their indexes name.
bool ReadLoadedTables(const QSqlDatabase& database, SchemaConstructs& constructs, QString* error)
{
    QSqlQuery objects(database);
    if (!ExecConstructQuery(objects,
                            QStringLiteral("SELECT lower(type) = 'table', name, tbl_name, rootpage, sql FROM "
                                           "main.sqlite_master WHERE lower(type) IN ('table', 'index')"),
                            error))
        return false;
    while (objects.next()) {
        const bool isTable = objects.value(0).toBool();
        const QString name = objects.value(1).toString(), key = name.toLower();
        const StatementParts parts = ReadStatementParts(objects.value(4).toString(), isTable);
        const QString table = isTable ? name : objects.value(2).toString();
        if (parts.foreignCollation && !constructs.foreignCollations.contains(table.toLower()))
            constructs.foreignCollations.insert(table.toLower(),
                                                CollationRefusal(*parts.foreignCollation, table));
        if (!isTable)
            continue;
        constructs.spelled.insert(key, name);
        if (objects.value(3).toLongLong() == 0)
            constructs.pagelessTables.insert(key);
        for (const QString& check : parts.checks)
            constructs.checks[key].insert(check);
        if (!parts.tableOptions.isEmpty())
            constructs.tableOptions.insert(key, parts.tableOptions);
    }
    return true;
}

// The columns of the tables with pages: generated ones (hidden 2 or 3), defaults, and those a row
// must give (NOT NULL without a default, no key); a virtual table is never asked for its columns,
// which would run its module.
bool ReadLoadedColumns(const QSqlDatabase& database, SchemaConstructs& constructs, QString* error)
{
    QSqlQuery columns(database);
    if (!ExecConstructQuery(
            columns,
            QStringLiteral(
                "SELECT lower(m.name), c.name, c.hidden, c.dflt_value, c.\"notnull\" AND c.dflt_value IS "
                "NULL AND "
                "c.pk = 0 FROM main.sqlite_master AS m JOIN pragma_table_xinfo(m.name, 'main') AS c WHERE "
                "lower(m.type) = 'table' AND m.rootpage <> 0"),
            error))
        return false;
    while (columns.next()) {
        const QString table = columns.value(0).toString(), spelled = columns.value(1).toString();
        const QString column = spelled.toLower();
        const int hidden = columns.value(2).toInt();
        constructs.columns[table].insert(column, spelled);
        if (hidden == 2 || hidden == 3)
            constructs.generatedColumns[table].insert(column);
        else if (!columns.value(3).isNull() && !IsLiteralDefault(columns.value(3).toString()))
            constructs.computedDefaults[table].insert(column);
        else if (columns.value(4).toBool() && hidden == 0)
            constructs.requiredColumns[table].insert(column);
    }
    return true;
}

// Partial indexes and indexes with an expression among their keys (cid -2).
bool ReadLoadedIndexes(const QSqlDatabase& database, SchemaConstructs& constructs, QString* error)
{
    QSqlQuery indexes(database);
    if (!ExecConstructQuery(
            indexes,
            QStringLiteral(
                "SELECT lower(m.name), i.name FROM main.sqlite_master AS m "
                "JOIN pragma_index_list(m.name, 'main') AS i WHERE lower(m.type) = 'table' AND "
                "m.rootpage <> 0 AND (i.partial OR EXISTS (SELECT 1 FROM pragma_index_xinfo(i.name, "
                "'main') AS k WHERE k.cid = -2))"),
            error))
        return false;
    while (indexes.next()) {
        const QString name = indexes.value(1).toString();
        constructs.spelled.insert(name.toLower(), name);
        constructs.codeIndexes.insert(name.toLower(), indexes.value(0).toString());
    }
    return true;
}

QString ConstructRefusal(const SchemaConstructs& file, const char* type, const QString& key,
                         const QString& construct)
{
    return QStringLiteral("the %1 \"%2\" is not one of ours (%3)")
        .arg(QLatin1String(type), file.spelled.value(key, key), construct);
}

bool AllWithin(const QSet<QString>& found, const QSet<QString>& ours)
{
    return std::all_of(found.cbegin(), found.cend(),
                       [&ours](const QString& item) { return ours.contains(item); });
}

// The first column of ours the table lacks, as ours spells it; "" when it has them all.
QString MissingColumn(const SchemaConstructs& file, const SchemaConstructs& ours, const QString& table)
{
    const QHash<QString, QString> present = file.columns.value(table);
    QStringList columns = ours.columns.value(table).values();
    columns.sort();
    for (const QString& column : columns) {
        if (!present.contains(column.toLower()))
            return column;
    }
    return {};
}

// A column that every row written must give, where ours takes a row without it: our writes fail. A
// table that lacks a column of ours has it renamed, more likely than added: the lack is named.
QString RequiredColumnBeyondOurs(const SchemaConstructs& file, const SchemaConstructs& ours,
                                 const QString& table)
{
    if (!MissingColumn(file, ours, table).isEmpty())
        return {};
    QStringList required = file.requiredColumns.value(table).values();
    required.sort();
    const QSet<QString> ourRequired = ours.requiredColumns.value(table);
    for (const QString& column : required) {
        if (!ourRequired.contains(column))
            return QStringLiteral(
                       "the column \"%1\" of the table \"%2\" is not one of ours (NOT NULL without a "
                       "default)")
                .arg(file.columns.value(table).value(column, column), file.spelled.value(table, table));
    }
    return {};
}

QString TableBeyondOurs(const SchemaConstructs& file, const SchemaConstructs& ours, const QString& table)
{
    if (file.pagelessTables.contains(table) && !ours.pagelessTables.contains(table))
        return ConstructRefusal(file, "table", table, QStringLiteral("a virtual table"));
    // Without a rowid our keys number no new row; a strict table refuses values ours take.
    if (const QString options = file.tableOptions.value(table); options != ours.tableOptions.value(table))
        return ConstructRefusal(file, "table", table,
                                options.isEmpty() ? QStringLiteral("no table options") : options);
    if (!AllWithin(file.generatedColumns.value(table), ours.generatedColumns.value(table)))
        return ConstructRefusal(file, "table", table, QStringLiteral("a generated column"));
    if (!AllWithin(file.computedDefaults.value(table), ours.computedDefaults.value(table)))
        return ConstructRefusal(file, "table", table, QStringLiteral("a DEFAULT expression"));
    // A CHECK of ours an older file lacks runs nothing.
    if (!AllWithin(file.checks.value(table), ours.checks.value(table)))
        return ConstructRefusal(file, "table", table, QStringLiteral("a CHECK constraint"));
    if (const QString collation = file.foreignCollations.value(table); !collation.isEmpty())
        return collation;
    return RequiredColumnBeyondOurs(file, ours, table);
}

} // namespace

std::optional<SchemaConstructs> ReadSchemaConstructs(const QSqlDatabase& database, QString* error)
{
    SchemaConstructs constructs;
    if (!ReadLoadedTables(database, constructs, error) || !ReadLoadedColumns(database, constructs, error) ||
        !ReadLoadedIndexes(database, constructs, error))
        return std::nullopt;
    return constructs;
}

QString ConstructBeyondOurs(const SchemaConstructs& file, const SchemaConstructs& ours,
                            const QSet<QString>& ourTables)
{
    QStringList names = file.spelled.keys();
    names.sort(); // the same file is refused for the same object each time
    for (const QString& name : names) {
        if (ourTables.contains(name)) {
            if (QString refusal = TableBeyondOurs(file, ours, name); !refusal.isEmpty())
                return refusal;
        }
        const auto index = file.codeIndexes.constFind(name);
        if (index != file.codeIndexes.cend() && ourTables.contains(*index) &&
            ours.codeIndexes.value(name) != *index)
            return ConstructRefusal(file, "index", name, QStringLiteral("an expression or partial index"));
    }
    return {};
}

QString ColumnMissingFromOurs(const SchemaConstructs& file, const SchemaConstructs& ours,
                              const QSet<QString>& ourTables)
{
    QStringList tables = file.columns.keys();
    tables.sort();
    for (const QString& table : tables) {
        if (!ourTables.contains(table))
            continue;
        if (const QString missing = MissingColumn(file, ours, table); !missing.isEmpty())
            return ConstructRefusal(file, "table", table,
                                    QStringLiteral("it has no column \"%1\"").arg(missing));
    }
    return {};
}
