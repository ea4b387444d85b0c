#include "modules/steputils/StepUtilsEntry.h"

#include "foundation/common/MessageBox.h"
#include "foundation/common/concerns/AppContext.h"
#include "foundation/db/schema/ResultsDatabase.h"
#include "modules/steputils/SchemaMigrator.h"

#include <QDir>

namespace {

// Tells the user why a file that is not ours or too new cannot be used; false otherwise.
bool ExplainRefusal(MigrationOutcome outcome, const CSchemaMigrator& migrator, const QString& path)
{
    const QString shown = QDir::toNativeSeparators(path);
    if (outcome == MigrationOutcome::NotOurs) {
        // An object of the schema that is not ours is named.
        const QString text = migrator.ErrorText().isEmpty()
                                 ? QStringLiteral("The database \"%1\" was not created by Tamro Plenthover and "
                                                  "cannot be used.")
                                       .arg(shown)
                                 : QStringLiteral("The database \"%1\" cannot be used: %2.")
                                       .arg(shown, migrator.ErrorText());
        QvMessageBox(text, MB_OK | MB_ICONSTOP);
        return true;
    }
    if (outcome == MigrationOutcome::Newer) {
        QvMessageBox(QStringLiteral("The database \"%1\" was written by a newer version of Tamro Plenthover "
                                    "(database version %2; this version reads up to %3) and cannot be used.")
                         .arg(shown)
                         .arg(migrator.FileVersion())
                         .arg(migrator.TargetVersion()),
                     MB_OK | MB_ICONSTOP);
        return true;
    }
    return false;
}

} // namespace

StepUtilsEntry::StepUtilsEntry() : m_catalogue(BuiltInMigrations) {}

StepUtilsEntry::StepUtilsEntry(MigrationCatalogue catalogue) : m_catalogue(std::move(catalogue)) {}

ConversionCode StepUtilsEntry::convertProject(const QString&, const QString&, int)
{
    const QString path = GetProjectDBPath();
    if (path.isEmpty())
        return CONV_FAILED;
    CSchemaMigrator migrator(DatabaseKind::Project, m_catalogue(DatabaseKind::Project));
    const MigrationOutcome outcome = migrator.Migrate(path, DatabaseRole::WorkingCopy);
    if (ExplainRefusal(outcome, migrator, path))
        return CONV_STOP_AND_DISCARD;
    if (outcome == MigrationOutcome::Failed)
        return CONV_FAILED;
    const ConversionCode libraries = ConvertLibraries();
    if (libraries != CONV_CURRENT)
        return libraries;
    return outcome == MigrationOutcome::Migrated ? CONV_PROJECT_CONVERTED : CONV_CURRENT;
}

// The equipment and material working copies are brought up to date too (a legacy id becomes
// their own): converted when either was migrated.
ConversionCode StepUtilsEntry::ConvertLibraries()
{
    const std::pair<DatabaseKind, QString> libraries[] = {{DatabaseKind::Equipment, GetEquipmentDBPath()},
                                                          {DatabaseKind::Material, GetMaterialsDBPath()}};
    bool migrated = false;
    for (const auto& [kind, path] : libraries) {
        if (path.isEmpty())
            continue;
        CSchemaMigrator migrator(kind, m_catalogue(kind));
        const MigrationOutcome outcome = migrator.Migrate(path, DatabaseRole::WorkingCopy);
        if (ExplainRefusal(outcome, migrator, path))
            return CONV_STOP_AND_DISCARD;
        if (outcome == MigrationOutcome::Failed)
            return CONV_FAILED;
        migrated = migrated || outcome == MigrationOutcome::Migrated;
    }
    return migrated ? CONV_PROJECT_CONVERTED : CONV_CURRENT;
}

// The open goes on with any step code but 4, so a step that is not ours or too new fails here:
// it is left out of the project rather than opened as if it were current.
ConversionCode StepUtilsEntry::convertStep(const QString& stepWorkingCopy, const QString&, int)
{
    CSchemaMigrator migrator(DatabaseKind::Step, m_catalogue(DatabaseKind::Step));
    const MigrationOutcome outcome = migrator.Migrate(stepWorkingCopy, DatabaseRole::WorkingCopy);
    ExplainRefusal(outcome, migrator, stepWorkingCopy);
    switch (outcome) {
    case MigrationOutcome::Current:
        return CONV_CURRENT;
    case MigrationOutcome::Migrated:
        return CONV_STEP_CONVERTED;
    default:
        return CONV_FAILED;
    }
}

int StepUtilsEntry::currentVersionReadOnly(const QString& languageDBPath)
{
    CSchemaMigrator migrator(DatabaseKind::Language, m_catalogue(DatabaseKind::Language));
    return migrator.Inspect(languageDBPath) == MigrationOutcome::Current ? 1 : 0;
}

int StepUtilsEntry::convertLanguage(const QString& languageDBCopy, const QString&, int)
{
    CSchemaMigrator migrator(DatabaseKind::Language, m_catalogue(DatabaseKind::Language));
    const MigrationOutcome outcome = migrator.Migrate(languageDBCopy, DatabaseRole::ReadWrite);
    ExplainRefusal(outcome, migrator, languageDBCopy);
    return outcome == MigrationOutcome::Current || outcome == MigrationOutcome::Migrated ? 1 : 0;
}

// A step without a results file has nothing older to report.
int StepUtilsEntry::isResultsDBVersionEarlier(long stepID, const QString& version)
{
    CResultsDatabase results;
    if (!results.Open(ResultsFilePath(GetProjectDir(), StepResultsFileName(stepID))))
        return 0;
    const QString resultsVersion = results.Version();
    return !results.ReadFailed() && IsResultsVersionEarlier(resultsVersion, version) ? 1 : 0;
}
