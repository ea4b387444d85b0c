#pragma once
// Tells whether a database file holds schema objects this program did not create. A view or a
// trigger runs whatever its text says whenever a table of ours is read or written: a view standing
// in for one of our tables can make a plain read endless. Views and triggers of other names are
// not ours, nor is anything standing where one of ours stands under another type. One of our views
// or triggers whose text neither the kind's base file nor a migration gives is stale: an older
// version may have written it, so the migration of an older file rebuilds it from our schema; in
// a current file it is not ours. Tables and indexes of other names stay: they run nothing. A type
// counts as the engine takes it, without regard to case. Our tables and the indexes on them may run
// no code where ours run none (SchemaConstructs.h). Our schema is read once per kind; a file is
// reviewed from its pages first, then as the engine loaded it.

#include "foundation/db/files/DatabaseHeader.h"
#include "foundation/db/schema/SchemaBuilder.h"

#include <QList>
#include <QString>

#include <optional>

class CDaoDatabase;

struct SchemaObject {
    QString type; // "view" or "trigger"
    QString name;
};

struct SchemaObjectReview {
    QString foreign;           // the first object that is not ours, described; "" when none
    QList<SchemaObject> stale; // our views and triggers with a text our schema does not give
    QString missing;           // the first table of ours lacking a column of ours, described
    QString unreadable;        // why the engine could not read the schema; "" when it could
    QString Describe() const;  // foreign, else the first stale object; "" when all is ours
    // For a file at the current version: Describe(), else a column of ours it lacks.
    QString DescribeCurrent() const;
};

SchemaObjectReview ReviewSchemaObjects(CDaoDatabase& database, DatabaseKind kind);
// The same on the file at path: from its pages when no journal is beside it (no lock, no -wal or
// -shm, a connection of the layer on it stays unread) and then as the engine loaded them, else
// through a read-only connection; a schema the engine cannot read answers why in unreadable.
SchemaObjectReview ReviewSchemaObjectsOfFile(const QString& path, DatabaseKind kind);
// A file that alone holds its database (no journal beside it), read once: its header, and the
// answer of ReviewSchemaObjectsOfFile when a schema of the same records was reviewed and loaded
// before (none otherwise). nullopt where the page reader gives up.
struct HeaderAndKnownReview {
    DatabaseHeader header;
    std::optional<SchemaObjectReview> review;
};
std::optional<HeaderAndKnownReview> ReadHeaderAndKnownReview(const QString& path, DatabaseKind kind);
// For a file that must be current: stale objects count as not ours, and a schema the engine cannot
// read is refused with the engine's reason. "" when all is ours.
QString ForeignSchemaObject(CDaoDatabase& database, DatabaseKind kind);
// The statement the kind's base schema creates the object with; "" when it has none.
QString OurSchemaStatement(DatabaseKind kind, const QString& name);
