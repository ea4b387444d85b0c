#include "modules/steputils/StepFileReader.h"

#include "foundation/db/connection/DaoDatabase.h"
#include "foundation/db/connection/DaoException.h"
#include "foundation/db/files/DatabaseFiles.h"
#include "foundation/db/files/DatabaseHeader.h"
#include "foundation/db/schema/SchemaObjectCheck.h"
#include "modules/steputils/ExchangeColumns.h"
#include "modules/steputils/ExchangeFormat.h"
#include "modules/steputils/FreshStepDatabase.h"
#include "modules/steputils/SchemaMigrator.h"
#include "modules/steputils/StepFileChecks.h"
#include "modules/steputils/StepRowCopier.h"

#include <QFileInfo>
#include <QSqlQuery>

namespace {

// Opens a file of the reader so that nothing in its schema can call a function.
void OpenUntrusted(CDaoDatabase& database, const QString& path, DatabaseRole role)
{
    database.Open(path, role);
    database.Execute(QStringLiteral("PRAGMA trusted_schema = OFF"));
}

bool PassesQuickCheck(CDaoDatabase& database)
{
    QSqlQuery check = database.Query(QStringLiteral("PRAGMA quick_check"));
    return check.next() && check.value(0).toString() == QLatin1String("ok") && !check.next();
}

// Every trigger and view of the scratch copy, so that the migrations run none of them.
void DropTriggersAndViews(CDaoDatabase& database)
{
    QStringList drops;
    QSqlQuery objects = database.Query(
        QStringLiteral("SELECT type, name FROM sqlite_master WHERE lower(type) IN ('trigger', 'view')"));
    while (objects.next())
        drops.append(QStringLiteral("DROP %1 IF EXISTS \"%2\"")
                         .arg(objects.value(0).toString().toUpper(),
                              objects.value(1).toString().replace(QLatin1Char('"'), QStringLiteral("\"\""))));
    objects.finish();
    for (const QString& drop : drops)
        database.Execute(drop);
}

bool IsOurStepID(quint32 id)
{
    return id == EXCHANGE_APPLICATION_ID || id == ApplicationID(DatabaseKind::Step) ||
           id == LEGACY_APPLICATION_ID;
}

// The file's rows table by table, then the checks; why it failed, or empty.
QString FillFreshStep(const QString& source, CFreshStepDatabase& fresh, long stepID, bool exchangeTables)
{
    CStepRowCopier copier(fresh.Database(), stepID);
    if (!copier.AttachSource(source))
        return copier.Reason();
    for (const ExchangeTable& table : ExchangeTables())
        if ((exchangeTables || table.part == ExchangePart::Step) && !copier.CopyTable(table))
            return copier.Reason();
    if (!copier.DetachSource())
        return copier.Reason();
    if (stepID != 0 && !fresh.Execute(QStringLiteral("UPDATE Step SET StepID = %1 WHERE (SELECT count(*) FROM Step) = 1")
                                          .arg(stepID)))
        return fresh.ErrorText();
    return CheckStepRows(fresh.Database(), exchangeTables);
}

} // namespace

bool CStepFileReader::Rewrite(const QString& path, long stepID)
{
    return Read(path, path, stepID, nullptr);
}

bool CStepFileReader::ReadInto(const QString& source, const QString& target, long stepID, CDaoDatabase* kept)
{
    return source == target ? Read(source, target, stepID, nullptr) : Read(source, target, stepID, kept);
}

// In place, the new file is renamed over the old one once it is complete.
bool CStepFileReader::Read(const QString& source, const QString& target, long stepID, CDaoDatabase* kept)
{
    m_errorText.clear();
    if (!CheckHeader(source))
        return false;
    const bool inPlace = source == target;
    const QString scratch = target + QStringLiteral(".old");
    const QString fresh = inPlace ? target + QStringLiteral(".new") : target;
    DeleteDatabaseFile(fresh);
    const bool older = m_fileVersion < CSchemaBuilder::SchemaVersion(DatabaseKind::Step);
    bool read = (!older || MigrateScratch(source, scratch)) && BuildFresh(older ? scratch : source, fresh, stepID, kept);
    if (older)
        DeleteDatabaseFile(scratch);
    try {
        if (read && inPlace)
            ReplaceFile(fresh, target);
    } catch (const CDaoException& error) {
        read = Fail(error.GetErrorDescription());
    }
    if (!read)
        DeleteDatabaseFile(fresh);
    return read;
}

bool CStepFileReader::CheckHeader(const QString& path)
{
    if (!QFileInfo(path).isFile())
        return Fail(QStringLiteral("it cannot be found"));
    const std::optional<DatabaseHeader> header = ReadStandaloneHeader(path);
    if (!header)
        return Fail(QStringLiteral("it is not a database"));
    if (!IsOurStepID(header->applicationID))
        return Fail(QStringLiteral("it is not a step file of Tamro Plenthover"));
    m_fileVersion = header->userVersion;
    if (m_fileVersion > CSchemaBuilder::SchemaVersion(DatabaseKind::Step))
        return Fail(QStringLiteral("it was written by a newer version of Tamro Plenthover"));
    if (m_fileVersion < 1)
        return Fail(QStringLiteral("it has no step schema"));
    // An older file's own views and triggers are dropped from its scratch copy before it is read.
    const SchemaObjectReview review = ReviewSchemaObjectsOfFile(path, DatabaseKind::Step);
    if (!review.unreadable.isEmpty())
        return Fail(QStringLiteral("it is damaged"));
    const bool older = m_fileVersion < CSchemaBuilder::SchemaVersion(DatabaseKind::Step);
    const QString foreign = older ? review.foreign : review.DescribeCurrent();
    return foreign.isEmpty() || Fail(foreign);
}

// An older file: a copy of it without triggers and views, brought to the current step schema.
bool CStepFileReader::MigrateScratch(const QString& path, const QString& scratch)
{
    QString error;
    DeleteDatabaseFile(scratch);
    if (!CopyScratchDatabaseFile(path, scratch, &error))
        return Fail(error);
    try {
        CDaoDatabase database;
        OpenUntrusted(database, scratch, DatabaseRole::ReadWrite);
        if (!PassesQuickCheck(database))
            return Fail(QStringLiteral("it is damaged"));
        DropTriggersAndViews(database);
        database.Execute(QStringLiteral("PRAGMA application_id = %1").arg(ApplicationID(DatabaseKind::Step)));
    } catch (const CDaoException& exception) {
        return Fail(exception.GetErrorDescription());
    }
    CSchemaMigrator migrator(DatabaseKind::Step, BuiltInMigrations(DatabaseKind::Step));
    if (migrator.Migrate(scratch, DatabaseRole::ReadWrite) != MigrationOutcome::Migrated)
        return Fail(migrator.ErrorText().isEmpty() ? QStringLiteral("it cannot be brought up to date")
                                                   : migrator.ErrorText());
    return true;
}

bool CStepFileReader::BuildFresh(const QString& source, const QString& freshPath, long stepID, CDaoDatabase* kept)
{
    CFreshStepDatabase fresh;
    QString problem;
    try {
        problem = fresh.Create(freshPath, !m_stepTablesOnly) ? FillFreshStep(source, fresh, stepID, !m_stepTablesOnly)
                                                             : fresh.ErrorText();
        if (problem.isEmpty() && kept)
            kept->Open(freshPath, DatabaseRole::ReadWrite); // shares the fresh database's connection
    } catch (const CDaoException& error) {
        problem = error.GetErrorDescription();
    }
    if (problem.isEmpty() && !fresh.Finish())
        problem = fresh.ErrorText();
    if (!problem.isEmpty()) {
        if (kept)
            kept->Close();
        fresh.Abandon();
        return Fail(problem);
    }
    return true;
}

bool CStepFileReader::Fail(const QString& reason)
{
    m_errorText = reason;
    return false;
}
