#pragma once
// Brings one database file up to the program's schema version: reads application_id and
// user_version without writing, then applies every migration above the file's version together
// with the user_version bumps in one transaction, rolled back as a whole on failure. A file that
// carries the id once shared by every kind is taken as ours and stamped with its kind's own id in
// that transaction.

#include "foundation/db/schema/SchemaObjectCheck.h"
#include "foundation/db/connection/SharedConnection.h"
#include "modules/steputils/SchemaMigration.h"

#include <optional>

class CDaoDatabase;
struct DatabaseHeader;

enum class MigrationOutcome {
    Current,  // nothing to do
    Migrated, // migrations applied and committed
    NotOurs,  // application_id is neither the kind's nor the legacy one
    Newer,    // user_version above the last version the program knows
    Failed,   // the file cannot be read, or a migration failed (nothing was changed)
};

class CSchemaMigrator {
public:
    CSchemaMigrator(DatabaseKind kind, QList<SchemaMigration> migrations);

    // The version a current file has: the base schema's or the last migration's, the higher.
    int TargetVersion() const;
    // Reads the file's header fields only: from the file itself while it alone holds the database,
    // else through a read-only connection.
    MigrationOutcome Inspect(const QString& path);
    // Inspect, then migrate a file that is behind or carries the legacy id, opening it in the
    // given role. A file only restamped stays Current.
    MigrationOutcome Migrate(const QString& path, DatabaseRole role);
    // Stamps a file that carries the legacy id with the kind's own and leaves its schema alone;
    // Failed only when the file cannot be read or written, else Current.
    MigrationOutcome Restamp(const QString& path, DatabaseRole role);

    int FileVersion() const { return m_fileVersion; }
    const QString& ErrorText() const { return m_errorText; }

private:
    std::optional<DatabaseHeader> HeaderThroughConnection(const QString& path);
    QList<SchemaMigration> PendingMigrations() const;
    bool LeadsToTarget(const QList<SchemaMigration>& pending) const;
    MigrationOutcome Apply(const QString& path, DatabaseRole role);
    MigrationOutcome Write(const QString& path, DatabaseRole role, const QList<SchemaMigration>& pending);
    MigrationOutcome Fail(const QString& text);
    // Current when every object is ours, NotOurs (the object named) or Failed.
    // known: the answer for a schema reviewed before, read with the header.
    MigrationOutcome ReviewSchemaObjects(const QString& path, const std::optional<SchemaObjectReview>& known);
    void DropStaleObjects(CDaoDatabase& database, const QString& type) const;
    void RebuildStaleObjects(CDaoDatabase& database) const;

    DatabaseKind m_kind;
    QList<SchemaMigration> m_migrations;
    int m_fileVersion = 0;
    bool m_needsRestamp = false;
    QString m_errorText;
    QList<SchemaObject> m_stale; // our views and triggers of another text, rebuilt by a migration
};
