// A step file of the first schema version, before operation parameters, is brought to the current
// schema by the step utilities: the same tables as a fresh file and the field types.

#include "ProjectsTestSupport.h"
#include "foundation/db/schema/SchemaBuilder.h"
#include "modules/steputils/SchemaMigration.h"
#include "modules/steputils/SchemaMigrator.h"
#include "modules/steputils/StepUtilsEntry.h"

#include <QRegularExpression>
#include <QSet>

namespace {

const char* const SCHEMA_OF_FILE =
    "SELECT group_concat(sql, ';') FROM (SELECT sql FROM sqlite_master WHERE sql IS NOT NULL ORDER BY name)";

// A fresh step file taken back to version 1: the tables, views and triggers every later migration
// creates dropped, and the columns it adds.
void TakeBackToFirstVersion(const QString& path)
{
    const QList<SchemaMigration> migrations = BuiltInMigrations(DatabaseKind::Step);
    ASSERT_FALSE(migrations.isEmpty());
    ASSERT_EQ(migrations.first().number, 2);
    static const QRegularExpression createObject(QStringLiteral("CREATE (TABLE|VIEW|TRIGGER) (\\w+)"));
    QSet<QString> created;
    for (const SchemaMigration& migration : migrations)
        for (const QRegularExpressionMatch& object : createObject.globalMatch(migration.sql)) {
            RawQuery(path, "DROP " + object.captured(1) + " " + object.captured(2));
            created.insert(object.captured(2));
        }
    static const QRegularExpression addColumn(QStringLiteral("ALTER TABLE (\\w+) ADD COLUMN (\\w+)"));
    for (const SchemaMigration& migration : migrations)
        for (const QRegularExpressionMatch& column : addColumn.globalMatch(migration.sql))
            if (!created.contains(column.captured(1))) // a column of a table dropped above went with it
                RawQuery(path, "ALTER TABLE " + column.captured(1) + " DROP COLUMN " + column.captured(2));
    RawQuery(path, "PRAGMA user_version = 1");
}

} // namespace

class StepSchemaMigrationTest : public ProjectsFixture {};

TEST_F(StepSchemaMigrationTest, AFirstVersionStepGainsTheParameterTablesAndFieldTypes)
{
    const QString fresh = build(DatabaseKind::Step, "STEP_1.STP");
    const QString old = build(DatabaseKind::Step, "STEP_2.STP");
    TakeBackToFirstVersion(old);
    ASSERT_EQ(RawQuery(old, "SELECT count(*) FROM sqlite_master WHERE name = 'TblFieldLibrary'").toInt(), 0);

    EXPECT_EQ(StepUtilsEntry().convertStep(old, "", 1), CONV_STEP_CONVERTED);
    EXPECT_EQ(RawQuery(old, "PRAGMA user_version").toInt(),
              CSchemaBuilder::SchemaVersion(DatabaseKind::Step));
    EXPECT_EQ(RawQuery(old, SCHEMA_OF_FILE).toString(), RawQuery(fresh, SCHEMA_OF_FILE).toString());
    EXPECT_EQ(RawQuery(old,
                       "SELECT group_concat(FieldTypeID || ' ' || FieldType || ' ' || UOM || ' ' || Scalable,"
                       " ', ') FROM (SELECT * FROM TblFieldLibrary ORDER BY FieldTypeID)")
                  .toString(),
              "100001 Duration min 0, 100002 Amount kg 1, 100003 Volume liter 1, 100004 Temperature C 0");
    EXPECT_EQ(StepUtilsEntry().convertStep(old, "", 1), CONV_CURRENT);
}

// Files from before the reaction tables and the library field types: the version before each
// migration brings them to a fresh file's tables and rows.
TEST_F(StepSchemaMigrationTest, MaterialAndStepFilesGainTheReactionTablesAndLibraryFieldTypes)
{
    const char* const FIELD_TYPES =
        "SELECT group_concat(FieldTypeID || ' ' || FieldType || ' ' || FieldLabel, ', ')"
        " FROM (SELECT * FROM TblFieldLibrary ORDER BY FieldTypeID)";
    const struct {
        DatabaseKind kind;
        int versionBefore;
        QStringList takeBack;
        const char* rows;
    } files[] = {
        {DatabaseKind::Material,
         CSchemaBuilder::SchemaVersion(DatabaseKind::Material) - 1,
         {"DROP TABLE ReactionDataSetTable", "DROP TABLE ReactionTable",
          "DROP TABLE ReactionCoefficientTable"},
         "SELECT count(*) FROM ReactionDataSetTable"},
        {DatabaseKind::Step, MigrationNumberNamed(DatabaseKind::Step, "library-fields") - 1,
         {"DELETE FROM TblFieldLibrary WHERE FieldTypeID > 100004", "DROP TABLE TblCommentData"}, FIELD_TYPES}};
    for (const auto& file : files) {
        SCOPED_TRACE(DatabaseKindName(file.kind).toStdString());
        const QString fresh = build(file.kind, "fresh." + DatabaseKindName(file.kind));
        const QString old = build(file.kind, "old." + DatabaseKindName(file.kind));
        if (file.kind == DatabaseKind::Step)
            TakeBackLaterStepMigrations(old, "comments-and-category");
        for (const QString& statement : file.takeBack)
            RawQuery(old, statement);
        RawQuery(old, QStringLiteral("PRAGMA user_version = %1").arg(file.versionBefore));

        CSchemaMigrator migrator(file.kind, BuiltInMigrations(file.kind));
        EXPECT_EQ(migrator.Migrate(old, DatabaseRole::ReadWrite), MigrationOutcome::Migrated)
            << migrator.ErrorText().toStdString();
        EXPECT_EQ(RawQuery(old, "PRAGMA user_version").toInt(), CSchemaBuilder::SchemaVersion(file.kind));
        EXPECT_EQ(RawQuery(old, SCHEMA_OF_FILE).toString(), RawQuery(fresh, SCHEMA_OF_FILE).toString());
        EXPECT_EQ(RawQuery(old, file.rows).toString(), RawQuery(fresh, file.rows).toString());
    }
    EXPECT_TRUE(
        RawQuery(build(DatabaseKind::Step, "STEP_3.STP"), FIELD_TYPES)
            .toString()
            .endsWith("100005 MaterialID Material, 100006 ReactionID Reaction, 100007 UtilityID Utility, "
                      "100008 StreamCategoryID Stream Category, 100009 LaborID Labor Grade, 100010 KeyComponentID Key "
                      "Component"));
}
