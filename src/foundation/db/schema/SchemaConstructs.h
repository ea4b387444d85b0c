#pragma once
// The parts of a database's tables and indexes that run code as rows are written or read: generated
// columns, CHECK constraints, DEFAULT expressions, expression and partial indexes, tables the
// engine keeps without pages of their own (virtual tables, whose module runs at every use), and
// collations (one the engine does not have fails every statement that compares the column). They
// are read from what the engine loaded (its schema table and its pragmas), so that they compare by
// construct, never by the text a whole statement was written in: migrations change the stored
// CREATE text of a table, and a file may lay it out in any way. A CHECK compares by its expression,
// read from the stored text with spacing, comments and the case of words left aside.

#include <QHash>
#include <QSet>
#include <QSqlDatabase>
#include <QString>

#include <optional>

struct SchemaConstructs {
    QHash<QString, QString> spelled;                 // lower-case name -> the name as the file spells it
    QHash<QString, QSet<QString>> generatedColumns;  // table -> its generated columns (lower-case)
    QHash<QString, QSet<QString>> computedDefaults;  // table -> columns whose DEFAULT is no literal
    QHash<QString, QHash<QString, QString>> columns; // table -> its columns: lower-case -> as spelled
    QHash<QString, QSet<QString>> requiredColumns;   // table -> NOT NULL columns without a default, no key
    QHash<QString, QSet<QString>> checks;            // table -> its CHECK constraints' expressions
    QHash<QString, QString> foreignCollations;       // table -> the refusal of its first column (its own
                                                     // or an index's) with a collation not the engine's
    QSet<QString> pagelessTables;                    // tables without pages (virtual ones)
    QHash<QString, QString> tableOptions;            // table -> "WITHOUT ROWID", "STRICT", ...
    QHash<QString, QString> codeIndexes;             // expression or partial index -> its table
};

// Through a connection on which nothing the file defines has run; nullopt when the engine cannot
// read the schema (why in *error).
std::optional<SchemaConstructs> ReadSchemaConstructs(const QSqlDatabase& database, QString* error = nullptr);

// The first of our tables or of the indexes on them with a construct that runs code where ours has
// none, or a column every row written must give where ours needs none, described as the refusal
// names it; "" when there is none. ourTables: our tables' names, lower-case.
QString ConstructBeyondOurs(const SchemaConstructs& file, const SchemaConstructs& ours,
                            const QSet<QString>& ourTables);
// The first of our tables in the file that lacks a column of ours, described; "" when there is
// none. Only a file at the current version must have them all: a migration adds them to an older one.
QString ColumnMissingFromOurs(const SchemaConstructs& file, const SchemaConstructs& ours,
                              const QSet<QString>& ourTables);
