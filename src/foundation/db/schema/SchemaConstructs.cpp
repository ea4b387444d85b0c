#include "foundation/db/schema/SchemaConstructs.h"

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

bool IsWordCharacter(QChar c)
{
    return c.isLetterOrNumber() || c == u'_' || c == u'$' || c.unicode() >= 0x80;
}

// The index just past the token that starts at i: a quoted literal or name, a comment, a word, or
// one character.
qsizetype SkipToken(const QString& sql, qsizetype i)
{
    const QChar c = sql.at(i);
    const QChar next = i + 1 < sql.size() ? sql.at(i + 1) : QChar();
    if (c == u'\'' || c == u'"' || c == u'`' || c == u'[') {
        const QChar close = c == u'[' ? QChar(u']') : c;
        qsizetype end = sql.indexOf(close, i + 1);
        // A doubled quote inside is the quote itself ([...] has no escape).
        while (end >= 0 && c != u'[' && end + 1 < sql.size() && sql.at(end + 1) == close)
            end = sql.indexOf(close, end + 2);
        return end < 0 ? sql.size() : end + 1;
    }
    if (c == u'-' && next == u'-') {
        const qsizetype end = sql.indexOf(u'\n', i + 2);
        return end < 0 ? sql.size() : end + 1;
    }
    if (c == u'/' && next == u'*') {
        const qsizetype end = sql.indexOf(QStringLiteral("*/"), i + 2);
        return end < 0 ? sql.size() : end + 2;
    }
    qsizetype end = i + 1;
    if (IsWordCharacter(c))
        while (end < sql.size() && IsWordCharacter(sql.at(end)))
            ++end;
    return end;
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

// The tables the engine loaded, with their CHECK constraints and whether they have pages.
bool ReadLoadedTables(const QSqlDatabase& database, SchemaConstructs& constructs, QString* error)
{
    QSqlQuery tables(database);
    if (!ExecConstructQuery(
            tables,
            QStringLiteral("SELECT name, rootpage, sql FROM main.sqlite_master WHERE lower(type) = 'table'"),
            error))
        return false;
    while (tables.next()) {
        const QString name = tables.value(0).toString(), key = name.toLower();
        constructs.spelled.insert(key, name);
        if (tables.value(1).toLongLong() == 0)
            constructs.pagelessTables.insert(key);
        if (const int checks = CountCheckConstraints(tables.value(2).toString()); checks > 0)
            constructs.checks.insert(key, checks);
    }
    return true;
}

// Generated columns (hidden 2 or 3) and defaults of the tables with pages; a virtual table is never
// asked for its columns, which would run its module.
bool ReadLoadedColumns(const QSqlDatabase& database, SchemaConstructs& constructs, QString* error)
{
    QSqlQuery columns(database);
    if (!ExecConstructQuery(
            columns,
            QStringLiteral(
                "SELECT lower(m.name), lower(c.name), c.hidden, c.dflt_value FROM main.sqlite_master AS m "
                "JOIN pragma_table_xinfo(m.name, 'main') AS c WHERE lower(m.type) = 'table' AND "
                "m.rootpage <> 0 AND (c.hidden IN (2, 3) OR c.dflt_value IS NOT NULL)"),
            error))
        return false;
    while (columns.next()) {
        const QString table = columns.value(0).toString(), column = columns.value(1).toString();
        const int hidden = columns.value(2).toInt();
        if (hidden == 2 || hidden == 3)
            constructs.generatedColumns[table].insert(column);
        else if (!IsLiteralDefault(columns.value(3).toString()))
            constructs.computedDefaults[table].insert(column);
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
                         const char* construct)
{
    return QStringLiteral("the %1 \"%2\" is not one of ours (%3)")
        .arg(QLatin1String(type), file.spelled.value(key, key), QLatin1String(construct));
}

bool AllWithin(const QSet<QString>& found, const QSet<QString>& ours)
{
    return std::all_of(found.cbegin(), found.cend(),
                       [&ours](const QString& item) { return ours.contains(item); });
}

QString TableBeyondOurs(const SchemaConstructs& file, const SchemaConstructs& ours, const QString& table)
{
    if (file.pagelessTables.contains(table) && !ours.pagelessTables.contains(table))
        return ConstructRefusal(file, "table", table, "a virtual table");
    if (!AllWithin(file.generatedColumns.value(table), ours.generatedColumns.value(table)))
        return ConstructRefusal(file, "table", table, "a generated column");
    if (!AllWithin(file.computedDefaults.value(table), ours.computedDefaults.value(table)))
        return ConstructRefusal(file, "table", table, "a DEFAULT expression");
    if (file.checks.value(table) > ours.checks.value(table))
        return ConstructRefusal(file, "table", table, "a CHECK constraint");
    return {};
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

int CountCheckConstraints(const QString& statement)
{
    int checks = 0;
    for (qsizetype i = 0; i < statement.size();) {
        const qsizetype end = SkipToken(statement, i);
        if (end - i == 5 &&
            QStringView(statement).mid(i, 5).compare(QLatin1String("check"), Qt::CaseInsensitive) == 0)
            ++checks;
        i = end;
    }
    return checks;
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
            return ConstructRefusal(file, "index", name, "an expression or partial index");
    }
    return {};
}
