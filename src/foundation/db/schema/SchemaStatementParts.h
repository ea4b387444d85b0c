#pragma once
// What the schema review reads from the CREATE statement of a table or index: its CHECK
// constraints, its table options and the collations it names. A statement is split into tokens as
// the engine's tokenizer splits it (literals, quoted names, words, single characters), white space
// and comments left out, so that a CHECK or COLLATE inside a literal, a quoted name or a comment is
// none.

#include <QString>
#include <QStringList>

#include <optional>

struct NamedCollation {
    QString column;    // as the statement spells it, unquoted
    QString collation; // as the statement spells it, unquoted
};

struct StatementParts {
    // The expression of each CHECK constraint, in the statement's order: its tokens joined by one
    // space, words (keywords and plain names, which the engine takes without regard to case) in
    // lower case. Two expressions that differ only in spacing, comments or the case of their words
    // read the same.
    QStringList checks;
    // The options after a CREATE TABLE statement's column definitions ("WITHOUT ROWID", "STRICT"),
    // in capitals, tokens joined by one space; "" for none.
    QString tableOptions;
    // The first collation named other than BINARY, NOCASE and RTRIM (the engine's own), with the
    // column it is given to.
    std::optional<NamedCollation> foreignCollation;
};

// table: a CREATE TABLE statement, whose column definitions start with the column's name; else an
// index's, whose collations follow their column.
StatementParts ReadStatementParts(const QString& statement, bool table);
