#pragma once
// Tells whether a database file holds schema objects this program did not create. A view or a
// trigger runs whatever its text says whenever a table of ours is read or written: a view standing
// in for one of our tables can make a plain read endless. Views and triggers are taken only with a
// name and text our schema (the kind's base file or one of its migrations) gave them, and none may
// stand where one of ours stands under another type. Tables and indexes of other names stay: they
// run nothing. Our schema is read once per kind; the check itself is one read of sqlite_master.

#include "foundation/db/SchemaBuilder.h"

#include <QString>

class CDaoDatabase;

// "" when every object is ours, else what is not (the view "Step-To-Process" is not one of ours).
QString ForeignSchemaObject(CDaoDatabase& database, DatabaseKind kind);
// The same on the file at path, read through its own read-only connection; a file that cannot be
// read answers "".
QString ForeignSchemaObjectOfFile(const QString& path, DatabaseKind kind);
