#pragma once
// Reads the rows of a database file's schema table (type, name, sql) straight from its pages,
// without an engine: no schema is parsed, no lock taken, no side file created. Only for a file
// that alone holds its database (no journal beside it). Anything the reader does not expect (a
// text encoding other than UTF-8, a page out of range, a cell or record that does not fit, a tree
// deeper or larger than the file) answers nullopt, and the caller reads through the engine.

#include "foundation/db/files/DatabaseHeader.h"

#include <QList>
#include <QString>

#include <optional>

struct SchemaTableRow {
    QString type;
    QString name;
    QString sql;
};

// A view or a trigger, the type spelled in any case: an object of the schema that runs statements
// when it is used.
bool RunsStatements(const QString& type);

// Which rows' sql is read: every row's, or only that of the views and triggers (the others' sql
// is checked to be text or NULL, and left null), or no text at all (every column is checked as the
// others are, and the rows are left empty: for a caller that wants only the records).
enum class SchemaTexts { All, OfViewsAndTriggers, None };

// records, when given, gets every record as stored (type, name, table, root page and sql, in order,
// each after its size): two files with the same records give the engine the same schema to load.
// header, when given and the rows are read, gets the file's header as read for them.
std::optional<QList<SchemaTableRow>> ReadSchemaTableRows(const QString& path, SchemaTexts texts = SchemaTexts::All,
                                                         QByteArray* records = nullptr,
                                                         DatabaseHeader* header = nullptr);
