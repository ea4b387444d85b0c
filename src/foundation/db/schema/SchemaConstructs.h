#pragma once
// The parts of a database's tables and indexes that run code as rows are written or read: generated
// columns, CHECK constraints, DEFAULT expressions, expression and partial indexes, and tables the
// engine keeps without pages of their own (virtual tables, whose module runs at every use). They
// are read from what the engine loaded (its schema table and its pragmas), so that they compare by
// construct, never by the text a statement was written in: migrations change the stored CREATE
// text of a table, and a file may lay it out in any way.

#include <QHash>
#include <QSet>
#include <QSqlDatabase>
#include <QString>

#include <optional>

struct SchemaConstructs {
    QHash<QString, QString> spelled;                // lower-case name -> the name as the file spells it
    QHash<QString, QSet<QString>> generatedColumns; // table -> its generated columns (lower-case)
    QHash<QString, QSet<QString>> computedDefaults; // table -> columns whose DEFAULT is no literal
    QHash<QString, int> checks;                     // table -> its CHECK constraints
    QSet<QString> pagelessTables;                   // tables without pages (virtual ones)
    QHash<QString, QString> codeIndexes;            // expression or partial index -> its table
};

// Through a connection on which nothing the file defines has run; nullopt when the engine cannot
// read the schema (why in *error).
std::optional<SchemaConstructs> ReadSchemaConstructs(const QSqlDatabase& database, QString* error = nullptr);

// The CHECK constraints a CREATE TABLE or ALTER TABLE statement gives: the keyword counted as the
// engine's tokenizer sees it, outside literals, quoted names and comments.
int CountCheckConstraints(const QString& statement);

// The first of our tables or of the indexes on them with a construct that runs code where ours has
// none, described as the refusal names it; "" when there is none. ourTables: our tables' names,
// lower-case.
QString ConstructBeyondOurs(const SchemaConstructs& file, const SchemaConstructs& ours,
                            const QSet<QString>& ourTables);
