#include "modules/steputils/SchemaMigrator.h"

#include "foundation/db/connection/DaoDatabase.h"
#include "foundation/db/connection/DaoException.h"
#include "foundation/db/connection/DaoTransaction.h"
#include "foundation/db/files/DatabaseHeader.h"
#include "foundation/db/schema/SchemaObjectCheck.h"

#include <QFileInfo>
#include <QSqlQuery>

namespace {

qint64 PragmaValue(CDaoDatabase& database, const QString& pragma)
{
    QSqlQuery query = database.Query(QStringLiteral("PRAGMA %1").arg(pragma));
    return query.next() ? query.value(0).toLongLong() : 0;
}

} // namespace

CSchemaMigrator::CSchemaMigrator(DatabaseKind kind, QList<SchemaMigration> migrations)
    : m_kind(kind), m_migrations(std::move(migrations))
{
}

int CSchemaMigrator::TargetVersion() const
{
    int target = CSchemaBuilder::SchemaVersion(m_kind);
    for (const SchemaMigration& migration : m_migrations)
        target = std::max(target, migration.number);
    return target;
}

MigrationOutcome CSchemaMigrator::Inspect(const QString& path)
{
    m_errorText.clear();
    m_needsRestamp = false;
    if (!QFileInfo(path).isFile())
        return Fail(QStringLiteral("Could not find file '%1'.").arg(path));
    // The header and, for a schema reviewed before, the review's answer: one read of the file.
    const std::optional<HeaderAndKnownReview> read = ReadHeaderAndKnownReview(path, m_kind);
    std::optional<DatabaseHeader> header = read ? std::optional(read->header) : ReadStandaloneHeader(path);
    if (!header && !(header = HeaderThroughConnection(path)))
        return MigrationOutcome::Failed;
    m_fileVersion = header->userVersion;
    const quint32 own = ApplicationID(m_kind);
    if (header->applicationID != own && header->applicationID != LEGACY_APPLICATION_ID)
        return MigrationOutcome::NotOurs;
    if (m_fileVersion > TargetVersion())
        return MigrationOutcome::Newer;
    if (const MigrationOutcome reviewed = ReviewSchemaObjects(path, read ? read->review : std::nullopt);
        reviewed != MigrationOutcome::Current)
        return reviewed;
    m_needsRestamp = header->applicationID != own;
    return m_fileVersion == TargetVersion() ? MigrationOutcome::Current : MigrationOutcome::Migrated;
}

// Views or triggers of another making would run at the first read or inside a migration. Our own
// with another text are rebuilt by the migration of an older file; a current file has them as we
// write them, and every column of ours.
// A schema the engine cannot read fails the inspection with the engine's reason.
MigrationOutcome CSchemaMigrator::ReviewSchemaObjects(const QString& path, const std::optional<SchemaObjectReview>& known)
{
    const SchemaObjectReview review = known ? *known : ReviewSchemaObjectsOfFile(path, m_kind);
    if (!review.unreadable.isEmpty())
        return Fail(review.unreadable);
    m_stale = review.stale;
    m_errorText = m_fileVersion < TargetVersion() ? review.foreign : review.DescribeCurrent();
    return m_errorText.isEmpty() ? MigrationOutcome::Current : MigrationOutcome::NotOurs;
}

// Stale triggers go before the migrations (none of them may fire inside one), stale views after
// them (a migration may replace one itself); each is then made again as our schema writes it.
void CSchemaMigrator::DropStaleObjects(CDaoDatabase& database, const QString& type) const
{
    for (const SchemaObject& stale : m_stale)
        if (stale.type == type)
            database.Execute(
                QStringLiteral("DROP %1 IF EXISTS \"%2\"")
                    .arg(type.toUpper(), QString(stale.name).replace(u'"', QStringLiteral("\"\""))));
}

void CSchemaMigrator::RebuildStaleObjects(CDaoDatabase& database) const
{
    for (const SchemaObject& stale : m_stale) {
        const QString statement = OurSchemaStatement(m_kind, stale.name);
        if (!statement.isEmpty())
            database.Execute(statement);
    }
}

// The header fields as a connection reads them, with what a -wal or -journal beside the file holds.
std::optional<DatabaseHeader> CSchemaMigrator::HeaderThroughConnection(const QString& path)
{
    try {
        CDaoDatabase database;
        database.Open(path, DatabaseRole::ReadOnly);
        DatabaseHeader header;
        header.applicationID = quint32(PragmaValue(database, QStringLiteral("application_id")));
        header.userVersion = qint32(PragmaValue(database, QStringLiteral("user_version")));
        return header;
    } catch (const CDaoException& error) {
        Fail(error.GetErrorDescription());
        return std::nullopt;
    }
}

MigrationOutcome CSchemaMigrator::Migrate(const QString& path, DatabaseRole role)
{
    const MigrationOutcome found = Inspect(path);
    if (found == MigrationOutcome::Migrated)
        return Apply(path, role);
    if (found == MigrationOutcome::Current && m_needsRestamp)
        return Write(path, role, {});
    return found;
}

MigrationOutcome CSchemaMigrator::Restamp(const QString& path, DatabaseRole role)
{
    const MigrationOutcome found = Inspect(path);
    if (found == MigrationOutcome::Failed)
        return found;
    const bool restamp = m_needsRestamp && found != MigrationOutcome::Newer;
    return restamp ? Write(path, role, {}) : MigrationOutcome::Current;
}

// The migrations that lead from the file's version to the target, one for every number.
QList<SchemaMigration> CSchemaMigrator::PendingMigrations() const
{
    QList<SchemaMigration> pending;
    for (const SchemaMigration& migration : m_migrations) {
        if (migration.number > m_fileVersion)
            pending.append(migration);
    }
    return pending;
}

bool CSchemaMigrator::LeadsToTarget(const QList<SchemaMigration>& pending) const
{
    for (int i = 0; i < pending.size(); ++i) {
        if (pending.at(i).number != m_fileVersion + 1 + i)
            return false;
    }
    return m_fileVersion + pending.size() == TargetVersion();
}

MigrationOutcome CSchemaMigrator::Apply(const QString& path, DatabaseRole role)
{
    const QList<SchemaMigration> pending = PendingMigrations();
    if (!LeadsToTarget(pending))
        return Fail(QStringLiteral("No migrations lead '%1' from version %2 to version %3.")
                        .arg(path)
                        .arg(m_fileVersion)
                        .arg(TargetVersion()));
    const MigrationOutcome written = Write(path, role, pending);
    return written == MigrationOutcome::Current ? MigrationOutcome::Migrated : written;
}

// The pending migrations and, for a file that needs it, its kind's id: one transaction.
MigrationOutcome CSchemaMigrator::Write(const QString& path, DatabaseRole role,
                                        const QList<SchemaMigration>& pending)
{
    try {
        CDaoDatabase database;
        database.Open(path, role);
        CDaoTransaction transaction(database);
        const bool rebuild = !pending.isEmpty();
        if (rebuild)
            DropStaleObjects(database, QStringLiteral("trigger"));
        for (const SchemaMigration& migration : pending) {
            for (const QString& statement : CSchemaBuilder::SplitStatements(migration.sql))
                database.Execute(statement);
            database.Execute(QStringLiteral("PRAGMA user_version = %1").arg(migration.number));
        }
        if (rebuild) {
            DropStaleObjects(database, QStringLiteral("view"));
            RebuildStaleObjects(database);
        }
        if (m_needsRestamp)
            database.Execute(QStringLiteral("PRAGMA application_id = %1").arg(ApplicationID(m_kind)));
        transaction.Commit();
    } catch (const CDaoException& error) {
        return Fail(error.GetErrorDescription());
    }
    m_needsRestamp = false;
    return MigrationOutcome::Current;
}

MigrationOutcome CSchemaMigrator::Fail(const QString& text)
{
    m_errorText = text;
    return MigrationOutcome::Failed;
}
