#include "modules/steputils/StepUtilsEntry.h"
#include "ProjectsTestSupport.h"
#include "foundation/db/connection/DaoDatabase.h"
#include "foundation/db/schema/ResultsDatabase.h"
#include "foundation/db/schema/SchemaBuilder.h"
#include "foundation/db/schema/SchemaObjectCheck.h"
#include "modules/steputils/SchemaMigrator.h"
#include "CaseSpelledObjects.h"

#include <QElapsedTimer>

#include <QFileInfo>

namespace {

// Project files start at the project schema's current version; these migrations come next.
// (Functions: the schema version is read from the resources, not ready at static initialisation.)
int Base()
{
    return CSchemaBuilder::SchemaVersion(DatabaseKind::Project);
}

SchemaMigration AddColumn()
{
    return {Base() + 1, "add-column.sql",
            "ALTER TABLE Project ADD COLUMN Owner TEXT;\nUPDATE Project SET Owner = 'nobody';"};
}

SchemaMigration AddTable()
{
    return {Base() + 2, "add-table.sql", "CREATE TABLE Extra (ExtraID INTEGER PRIMARY KEY);"};
}

SchemaMigration Broken()
{
    return {Base() + 2, "broken.sql", "CREATE TABLE Broken (ID INTEGER);\nINSERT INTO Nowhere VALUES (1);"};
}

QString SetVersion(int version)
{
    return QString("PRAGMA user_version = %1").arg(version);
}
// Step files start at the step schema's current version; this migration comes next.
SchemaMigration NextStepMigration(const char* sql)
{
    return {CSchemaBuilder::SchemaVersion(DatabaseKind::Step) + 1, "next-step.sql", sql};
}

int userVersion(const QString& path)
{
    return RawQuery(path, "PRAGMA user_version").toInt();
}

StepUtilsEntry::MigrationCatalogue only(DatabaseKind wanted, QList<SchemaMigration> migrations)
{
    return [=](DatabaseKind kind) { return kind == wanted ? migrations : QList<SchemaMigration>(); };
}

} // namespace

class SchemaMigratorTest : public ProjectsFixture {};

TEST_F(SchemaMigratorTest, AppliesEveryMigrationAboveTheFileVersionInOrder)
{
    const QString path = build(DatabaseKind::Project, "p.wc");
    CSchemaMigrator migrator(DatabaseKind::Project, {AddColumn(), AddTable()});
    EXPECT_EQ(migrator.Migrate(path, DatabaseRole::WorkingCopy), MigrationOutcome::Migrated);
    EXPECT_EQ(userVersion(path), Base() + 2);
    EXPECT_EQ(RawQuery(path, "SELECT Owner FROM Project").toString(), "nobody");
    EXPECT_EQ(RawQuery(path, "SELECT count(*) FROM sqlite_master WHERE name = 'Extra'").toInt(), 1);
    EXPECT_EQ(migrator.Migrate(path, DatabaseRole::WorkingCopy), MigrationOutcome::Current);
    // A file one migration ahead runs the last only (the first would add its column twice).
    const QString second = build(DatabaseKind::Project, "q.wc");
    RawQuery(second, "ALTER TABLE Project ADD COLUMN Owner TEXT");
    RawQuery(second, SetVersion(Base() + 1));
    EXPECT_EQ(migrator.Migrate(second, DatabaseRole::WorkingCopy), MigrationOutcome::Migrated);
    EXPECT_EQ(userVersion(second), Base() + 2);
}

// A version committed to the -wal only is not in the file's header yet: the connection reads it.
TEST_F(SchemaMigratorTest, ReadsTheVersionAnOpenWorkingCopyHoldsInItsLog)
{
    const QString path = build(DatabaseKind::Project, "p.wc");
    CSchemaMigrator migrator(DatabaseKind::Project, {AddColumn(), AddTable()});
    EXPECT_EQ(migrator.Inspect(path), MigrationOutcome::Migrated);
    EXPECT_FALSE(QFileInfo::exists(path + "-wal")) << "inspecting a file alone reads its header";
    CDaoDatabase open;
    open.Open(path, DatabaseRole::WorkingCopy);
    open.Execute(SetVersion(Base() + 2));
    ASSERT_TRUE(QFileInfo::exists(path + "-wal"));
    EXPECT_EQ(migrator.Inspect(path), MigrationOutcome::Current);
    EXPECT_EQ(migrator.FileVersion(), Base() + 2);
}

// A step's id is not a project's; a gap in the set or a file older than it fails.
TEST_F(SchemaMigratorTest, RefusesOrFailsWithoutWriting)
{
    const struct {
        QList<SchemaMigration> migrations;
        QString prepare; // statement run on the file first
        MigrationOutcome expected;
    } rows[] = {{{AddColumn()}, "PRAGMA application_id = 7", MigrationOutcome::NotOurs},
                {{}, "PRAGMA application_id = 0", MigrationOutcome::NotOurs},
                {{AddColumn()}, "PRAGMA application_id = 1364611924", MigrationOutcome::NotOurs},
                {{AddColumn()}, SetVersion(Base() + 2), MigrationOutcome::Newer},
                {{AddColumn()},
                 "CREATE TRIGGER Spin AFTER UPDATE ON Project BEGIN SELECT 1; END",
                 MigrationOutcome::NotOurs},
                {{AddTable()}, "", MigrationOutcome::Failed},
                {{}, "PRAGMA user_version = 0", MigrationOutcome::Failed}};
    for (const auto& row : rows) {
        const QString path = build(DatabaseKind::Project, QString("p%1.wc").arg(&row - rows));
        if (!row.prepare.isEmpty())
            RawQuery(path, row.prepare);
        const QByteArray before = FileBytes(path);
        EXPECT_EQ(
            CSchemaMigrator(DatabaseKind::Project, row.migrations).Migrate(path, DatabaseRole::WorkingCopy),
            row.expected)
            << row.prepare.toStdString();
        EXPECT_EQ(FileBytes(path), before) << row.prepare.toStdString();
        EXPECT_FALSE(CSharedConnection::isOpen(path));
    }
    // A failing migration rolls back the ones before it.
    const QString path = build(DatabaseKind::Project, "broken.wc");
    EXPECT_EQ(CSchemaMigrator(DatabaseKind::Project, {AddColumn(), Broken()})
                  .Migrate(path, DatabaseRole::WorkingCopy),
              MigrationOutcome::Failed);
    EXPECT_EQ(RawQuery(path, "SELECT (SELECT user_version FROM pragma_user_version) || (SELECT count(*) FROM "
                             "pragma_table_info('Project') WHERE name = 'Owner') || (SELECT count(*) FROM "
                             "sqlite_master WHERE name = 'Broken')")
                  .toString(),
              QString::number(Base()) + "00");
}

// Our own view and trigger with another text: an older file's migration makes them again as our
// schema writes them, a current file is refused unread.
TEST_F(SchemaMigratorTest, AnOlderFilesViewsAndTriggersOfAnotherTextAreRebuilt)
{
    const QString objects = "SELECT group_concat(sql, '|') FROM (SELECT sql FROM sqlite_master WHERE name IN "
                            "('QryStepInProject', 'OperationsLibraryOptionRows') ORDER BY name)";
    const QString fresh = build(DatabaseKind::Project, "fresh.wc");
    const QString path = build(DatabaseKind::Project, "changed.wc");
    for (const char* change :
         {"DROP VIEW QryStepInProject", "DROP TRIGGER OperationsLibraryOptionRows",
          "CREATE VIEW QryStepInProject AS WITH RECURSIVE c(x) AS (SELECT 1 UNION ALL SELECT x + 1 FROM c) "
          "SELECT x AS StepID FROM c",
          "CREATE TRIGGER OperationsLibraryOptionRows AFTER UPDATE ON Project BEGIN SELECT RAISE(ABORT, "
          "'ran'); "
          "END"})
        RawQuery(path, change);
    const QByteArray before = FileBytes(path);
    CSchemaMigrator current(DatabaseKind::Project, {});
    EXPECT_EQ(current.Migrate(path, DatabaseRole::WorkingCopy), MigrationOutcome::NotOurs);
    EXPECT_EQ(current.ErrorText(), "the view \"QryStepInProject\" is not one of ours");
    EXPECT_EQ(FileBytes(path), before);
    CSchemaMigrator older(DatabaseKind::Project, {AddColumn()});
    EXPECT_EQ(older.Migrate(path, DatabaseRole::WorkingCopy), MigrationOutcome::Migrated)
        << older.ErrorText().toStdString();
    EXPECT_EQ(RawQuery(path, objects), RawQuery(fresh, objects));
    EXPECT_EQ(RawQuery(path, "SELECT Owner FROM Project").toString(),
              "nobody"); // the old trigger never fired
}

// A file at each migration level passes the schema review and is taken for migration: the stored
// CREATE texts older levels left (their own CHECKs, columns added later) are no construct of
// another making, and their own older views and triggers are rebuilt, not refused.
TEST_F(SchemaMigratorTest, AFileAtEachMigrationLevelIsOursToTheReview)
{
    const auto expectOurs = [](const QString& path, DatabaseKind kind, int level) {
        RawQuery(path, SetVersion(level));
        const SchemaObjectReview review = ReviewSchemaObjectsOfFile(path, kind);
        EXPECT_EQ(review.foreign + review.unreadable, "") << DatabaseKindName(kind).toStdString() << " " << level;
        CSchemaMigrator migrator(kind, BuiltInMigrations(kind));
        EXPECT_EQ(migrator.Inspect(path), MigrationOutcome::Migrated) << migrator.ErrorText().toStdString();
    };
    for (int level = 1; level < CSchemaBuilder::SchemaVersion(DatabaseKind::Step); ++level) {
        const QString path = build(DatabaseKind::Step, QStringLiteral("step-%1.wc").arg(level));
        TakeBackStepMigrationsAbove(path, level);
        expectOurs(path, DatabaseKind::Step, level);
    }
    for (const SchemaMigration& migration : BuiltInMigrations(DatabaseKind::Project)) {
        const QString path = build(DatabaseKind::Project, QStringLiteral("project-%1.wc").arg(migration.number));
        DropTablesOfLaterProjectMigrations(path, qPrintable(migration.name));
        expectOurs(path, DatabaseKind::Project, migration.number - 1);
    }
}

TEST_F(SchemaMigratorTest, MigrationsAreReadFromTheirFolderInNumberOrder)
{
    WriteTextFile(pathOf("migrations/step/010-later.sql"), "SELECT 10;");
    WriteTextFile(pathOf("migrations/step/002-first.sql"), "SELECT 2;");
    WriteTextFile(pathOf("migrations/step/README.txt"), "not a migration");
    WriteTextFile(pathOf("migrations/step/notes.sql"), "no number");
    const QList<SchemaMigration> found = LoadMigrations(DatabaseKind::Step, pathOf("migrations"));
    QStringList read;
    for (const SchemaMigration& migration : found)
        read << QString("%1 %2 %3").arg(migration.number).arg(migration.name, migration.sql);
    EXPECT_EQ(read, (QStringList{"2 002-first.sql SELECT 2;", "10 010-later.sql SELECT 10;"}));
}

TEST_F(SchemaMigratorTest, TheBuiltInSetMatchesTheBaseSchemas)
{
    for (DatabaseKind kind : {DatabaseKind::Project, DatabaseKind::Step, DatabaseKind::Language}) {
        const QString path = build(kind, DatabaseKindName(kind) + ".db");
        CSchemaMigrator migrator(kind, LoadMigrations(kind));
        EXPECT_EQ(migrator.Inspect(path), MigrationOutcome::Current) << DatabaseKindName(kind).toStdString();
        EXPECT_EQ(migrator.TargetVersion(), CSchemaBuilder::SchemaVersion(kind));
    }
}

class StepUtilsEntryTest : public ProjectsFixture {
protected:
    void SetUp() override { m_app.fileSet().projectDBPath = build(DatabaseKind::Project, "Demo.wc"); }
    QString projectPath() { return m_app.fileSet().projectDBPath; }
};

// A project that is not ours or too new stops the open with its reason.
TEST_F(StepUtilsEntryTest, ProjectCodes)
{
    EXPECT_EQ(StepUtilsEntry().convertProject("", "", 1), CONV_CURRENT);
    StepUtilsEntry migrating(only(DatabaseKind::Project, {AddColumn()}));
    EXPECT_EQ(migrating.convertProject("", "", 1), CONV_PROJECT_CONVERTED);
    EXPECT_EQ(userVersion(projectPath()), Base() + 1);
    EXPECT_EQ(migrating.convertProject("", "", 1), CONV_CURRENT);
    RawQuery(projectPath(), SetVersion(Base()));
    EXPECT_EQ(StepUtilsEntry(only(DatabaseKind::Project, {AddColumn(), Broken()})).convertProject("", "", 1),
              CONV_FAILED);
    expectOk(2);
    RawQuery(projectPath(), SetVersion(Base() + 3));
    EXPECT_EQ(StepUtilsEntry().convertProject("", "", 1), CONV_STOP_AND_DISCARD);
    RawQuery(projectPath(), "PRAGMA application_id = 1");
    EXPECT_EQ(StepUtilsEntry().convertProject("", "", 1), CONV_STOP_AND_DISCARD);
    EXPECT_EQ(
        m_prompts.texts(),
        QStringList({"The database \"" + projectPath() +
                         QString("\" was written by a newer version of Tamro Plenthover (database version "
                                 "%1; this version reads up to %2) and cannot be used.")
                             .arg(Base() + 3)
                             .arg(Base()),
                     "The database \"" + projectPath() +
                         "\" was not created by Tamro Plenthover and cannot be used."}));
    m_app.fileSet().projectDBPath.clear();
    EXPECT_EQ(StepUtilsEntry().convertProject("", "", 1), CONV_FAILED);
}

// The open goes on with a step unless it hears 4, so a step it cannot read safely must fail; a
// missing file is not created. A legacy step's new id commits with the migrations: a failing one
// leaves the legacy id too.
TEST_F(StepUtilsEntryTest, StepCodes)
{
    const QString step = build(DatabaseKind::Step, "STEP_7.WC");
    EXPECT_EQ(StepUtilsEntry().convertStep(step, "", 1), CONV_CURRENT);
    RawQuery(step, QStringLiteral("PRAGMA application_id = %1").arg(LEGACY_APPLICATION_ID));
    const SchemaMigration broken = NextStepMigration("INSERT INTO Nowhere VALUES (1);");
    const SchemaMigration stepColumn = NextStepMigration("ALTER TABLE Step ADD COLUMN Owner TEXT;");
    EXPECT_EQ(StepUtilsEntry(only(DatabaseKind::Step, {broken})).convertStep(step, "", 1), CONV_FAILED);
    EXPECT_EQ(quint32(RawQuery(step, "PRAGMA application_id").toLongLong()), LEGACY_APPLICATION_ID);
    EXPECT_EQ(StepUtilsEntry(only(DatabaseKind::Step, {stepColumn})).convertStep(step, "", 1),
              CONV_STEP_CONVERTED);
    EXPECT_EQ(quint32(RawQuery(step, "PRAGMA application_id").toLongLong()),
              ApplicationID(DatabaseKind::Step));
    EXPECT_EQ(userVersion(step), stepColumn.number);
    EXPECT_EQ(StepUtilsEntry().convertStep(pathOf("STEP_8.WC"), "", 1), CONV_FAILED);
    EXPECT_FALSE(QFile::exists(pathOf("STEP_8.WC")));
    WriteTextFile(pathOf("STEP_9.WC"), "this is no database at all, only some text that fills a page");
    EXPECT_EQ(StepUtilsEntry().convertStep(pathOf("STEP_9.WC"), "", 1), CONV_FAILED);
    const int newer = CSchemaBuilder::SchemaVersion(DatabaseKind::Step) + 1;
    RawQuery(step, QStringLiteral("PRAGMA user_version = %1").arg(newer));
    expectOk();
    EXPECT_EQ(StepUtilsEntry().convertStep(step, "", 1), CONV_FAILED);
    EXPECT_TRUE(m_prompts.lastText().contains("newer version of Tamro Plenthover"));
    EXPECT_EQ(userVersion(step), newer);
}

// A step whose table became a view without end is refused before anything reads it.
TEST_F(StepUtilsEntryTest, AStepWithAnEndlessViewIsRefused)
{
    const QString step = build(DatabaseKind::Step, "STEP_7.WC");
    RawQuery(step, "ALTER TABLE Step RENAME TO StepKept");
    RawQuery(step, "CREATE VIEW Step AS SELECT StepKept.* FROM StepKept, (WITH RECURSIVE c(x) AS (SELECT 1 "
                   "UNION ALL SELECT x + 1 FROM c) SELECT x FROM c)");
    const QByteArray before = FileBytes(step);
    expectOk();
    EXPECT_EQ(StepUtilsEntry().convertStep(step, "", 1), CONV_FAILED);
    EXPECT_EQ(m_prompts.lastText(),
              "The database \"" + step + "\" cannot be used: the view \"Step\" is not one of ours.");
    EXPECT_EQ(FileBytes(step), before);
}

// The working copies an open converts (project, equipment and material libraries, a step), each with
// a view or a trigger whose type is spelled in capitals: refused at once with the object's name,
// the file unchanged.
TEST_F(StepUtilsEntryTest, ACaseSpelledViewOrTriggerInAnyWorkingCopyIsRefusedByName)
{
    const struct {
        DatabaseKind kind;
        const char* table;
    } files[] = {{DatabaseKind::Project, "Project"},
                 {DatabaseKind::Equipment, "ActualEquipmentCommon"},
                 {DatabaseKind::Material, "ActualMaterialCommon"},
                 {DatabaseKind::Step, "Step"}};
    for (const auto& file : files) {
        for (const auto& [spelled, type] : {std::pair{CaseSpelled::View, "view"}, {CaseSpelled::Trigger, "trigger"}}) {
            const QString path = build(file.kind, QStringLiteral("%1-%2.wc").arg(DatabaseKindName(file.kind), type));
            const QString name = SpellObjectInCapitals(path, file.table, spelled);
            const QByteArray before = FileBytes(path);
            const QString demo = QStringLiteral("Demo-%1-%2.wc").arg(&file - files).arg(type);
            m_app.fileSet().projectDBPath = build(DatabaseKind::Project, demo);
            m_app.fileSet().equipmentDBPath = file.kind == DatabaseKind::Equipment ? path : QString();
            m_app.fileSet().materialsDBPath = file.kind == DatabaseKind::Material ? path : QString();
            if (file.kind == DatabaseKind::Project)
                m_app.fileSet().projectDBPath = path;
            expectOk();
            QElapsedTimer clock;
            clock.start();
            if (file.kind == DatabaseKind::Step)
                EXPECT_EQ(StepUtilsEntry().convertStep(path, "", 1), CONV_FAILED);
            else
                EXPECT_EQ(StepUtilsEntry().convertProject("", "", 1), CONV_STOP_AND_DISCARD);
            EXPECT_LT(clock.elapsed(), 5000);
            EXPECT_EQ(m_prompts.lastText(), QStringLiteral("The database \"%1\" cannot be used: the %2 \"%3\" is not "
                                                           "one of ours.")
                                                .arg(path, type, name));
            EXPECT_EQ(FileBytes(path), before) << path.toStdString();
        }
    }
}

TEST_F(StepUtilsEntryTest, LanguageChecksOnlyReadAndConversionMigratesInPlace)
{
    const QString language = build(DatabaseKind::Language, "lang.tmp");
    const SchemaMigration languageTable{2, "002-language.sql",
                                        "CREATE TABLE Phrase (PhraseID INTEGER PRIMARY KEY);"};
    StepUtilsEntry migrating(only(DatabaseKind::Language, {languageTable}));
    EXPECT_NE(StepUtilsEntry().currentVersionReadOnly(language), 0);
    const QByteArray before = FileBytes(language);
    EXPECT_EQ(migrating.currentVersionReadOnly(language), 0);
    EXPECT_EQ(FileBytes(language), before);
    EXPECT_NE(migrating.convertLanguage(language, "", 1), 0);
    EXPECT_EQ(userVersion(language), 2);
    EXPECT_NE(migrating.currentVersionReadOnly(language), 0);
    EXPECT_EQ(RawQuery(language, "PRAGMA journal_mode").toString(), "delete");
    EXPECT_EQ(StepUtilsEntry().convertLanguage(pathOf("missing.lng"), "", 1), 0);
    // A language database of another program is neither current nor converted.
    RawQuery(language, "PRAGMA application_id = 3");
    EXPECT_EQ(StepUtilsEntry().currentVersionReadOnly(language), 0);
    expectOk();
    EXPECT_EQ(StepUtilsEntry().convertLanguage(language, "", 1), 0);
    EXPECT_TRUE(m_prompts.lastText().endsWith("was not created by Tamro Plenthover and cannot be used."));
}

// Files written when every kind carried the project's id: the call that converts a kind's working
// copy takes them as ours and gives them their kind's id, data and version untouched.
TEST_F(StepUtilsEntryTest, LegacyFilesAreRestampedWithTheirKindsOwnID)
{
    const QList<std::pair<DatabaseKind, quint32>> files{{DatabaseKind::Project, FourCharacterID("QVNT")},
                                                        {DatabaseKind::Equipment, FourCharacterID("QVEQ")},
                                                        {DatabaseKind::Material, FourCharacterID("QVMT")},
                                                        {DatabaseKind::Step, FourCharacterID("QVST")},
                                                        {DatabaseKind::Language, FourCharacterID("QVLG")}};
    const QString tables = "SELECT group_concat(name) FROM sqlite_master";
    QStringList paths, before;
    for (const auto& [kind, id] : files) {
        paths << build(kind, "Old." + DatabaseKindName(kind));
        RawQuery(paths.last(), QStringLiteral("PRAGMA application_id = %1").arg(LEGACY_APPLICATION_ID));
        before << RawQuery(paths.last(), tables).toString();
    }
    ProjectFileSet& fileSet = m_app.fileSet();
    std::tie(fileSet.projectDBPath, fileSet.equipmentDBPath, fileSet.materialsDBPath) =
        std::tuple(paths.at(0), paths.at(1), paths.at(2));
    StepUtilsEntry entry;
    EXPECT_EQ(entry.convertProject("", "", 1), CONV_CURRENT);
    EXPECT_EQ(entry.convertStep(paths.at(3), "", 1), CONV_CURRENT);
    EXPECT_NE(entry.currentVersionReadOnly(paths.at(4)), 0);
    EXPECT_NE(entry.convertLanguage(paths.at(4), "", 1), 0);
    for (int i = 0; i < files.size(); ++i) {
        const DatabaseKind kind = files.at(i).first;
        EXPECT_EQ(quint32(RawQuery(paths.at(i), "PRAGMA application_id").toLongLong()), files.at(i).second);
        EXPECT_EQ(RawQuery(paths.at(i), tables).toString(), before.at(i));
        EXPECT_EQ(userVersion(paths.at(i)), CSchemaBuilder::SchemaVersion(kind));
        EXPECT_FALSE(CSharedConnection::isOpen(paths.at(i)));
    }
}

class ResultsVersionCheckTest : public ProjectsFixture {};

TEST_F(ResultsVersionCheckTest, AFreshResultsFilePassesAndAnOlderOneIsReported)
{
    m_app.fileSet().projectDir = pathOf("");
    StepUtilsEntry entry;
    EXPECT_EQ(entry.isResultsDBVersionEarlier(7, "Version 20.0 Beta"), 0); // no file yet
    ASSERT_TRUE(WriteResultsAtomically(pathOf("qvstep_7.MDB"), [](CSchemaBuilder&) { return true; }));
    EXPECT_EQ(entry.isResultsDBVersionEarlier(7, "Version 20.0 Beta"), 0);
    EXPECT_EQ(entry.isResultsDBVersionEarlier(7, "Version 21.0"), 1);
    RawQuery(pathOf("qvstep_7.MDB"), "UPDATE ResultsInfo SET VersionNumber = 'Version 19.5'");
    EXPECT_EQ(entry.isResultsDBVersionEarlier(7, "Version 20.0 Beta"), 1);
}
