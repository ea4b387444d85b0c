#pragma once
// One numbered schema migration (schema/migrations/<kind>/NNN-name.sql) and the set compiled into
// the program for each database kind.

#include "foundation/db/schema/SchemaBuilder.h"

#include <QList>
#include <QString>

struct SchemaMigration {
    int number = 0; // the user_version the file has after this migration
    QString name;   // the file name, for messages
    QString sql;    // statements separated by ';'
};

// The number of "NNN-name.sql"; 0 when the name does not start with digits and a dash.
int MigrationNumber(const QString& fileName);
// The migrations of the kind found under a folder (":/schema/migrations/<kind>" by default),
// ordered by number.
QList<SchemaMigration> LoadMigrations(DatabaseKind kind,
                                      const QString& root = QStringLiteral(":/schema/migrations"));
// The built-in migrations of the kind, read from the resources once.
QList<SchemaMigration> BuiltInMigrations(DatabaseKind kind);
