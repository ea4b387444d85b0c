// Files from before the labour grades, stream categories and typed comments gain their tables and
// the two category field types, as a fresh file has them; rows the file already holds stay.

#include "ProjectsTestSupport.h"
#include "foundation/db/schema/SchemaBuilder.h"
#include "modules/steputils/SchemaMigration.h"
#include "modules/steputils/SchemaMigrator.h"

namespace {
const char* const CATEGORY_SCHEMA =
    "SELECT group_concat(sql, ';') FROM (SELECT sql FROM sqlite_master WHERE sql IS NOT NULL ORDER BY name)";
const char* const CATEGORY_FIELD_TYPES =
    "SELECT group_concat(FieldTypeID || ' ' || FieldType, ', ') FROM (SELECT * FROM TblFieldLibrary"
    " WHERE FieldTypeID > 100007 ORDER BY FieldTypeID)";

} // namespace

class CostCategorySchemaMigrationTest : public ProjectsFixture {};

TEST_F(CostCategorySchemaMigrationTest, TheVersionBeforeGainsTheTablesAndFieldTypes)
{
    const struct {
        DatabaseKind kind;
        QStringList takeBack;
        const char* keptRows; // a row the old file holds, read after the migration
        const char* migration; // the migration that brings the tables, by a part of its name
    } files[] = {
        {DatabaseKind::Project,
         {"DROP TABLE TblLaborCategory", "DROP TABLE StreamCategoryTable",
          "UPDATE TblRangeLibrary SET Description = 'Kept' WHERE RangeTypeID = 3"},
         "SELECT Description FROM TblRangeLibrary WHERE RangeTypeID = 3", "labor-and-stream"},
        {DatabaseKind::Step,
         {"DROP TABLE TblCommentData", "DELETE FROM TblFieldLibrary WHERE FieldTypeID > 100007",
          "UPDATE TblFieldLibrary SET FieldLabel = 'Kept' WHERE FieldTypeID = 100005"},
         "SELECT FieldLabel FROM TblFieldLibrary WHERE FieldTypeID = 100005", "comments-and-category"}};
    for (const auto& file : files) {
        SCOPED_TRACE(DatabaseKindName(file.kind).toStdString());
        const QString fresh = build(file.kind, "fresh." + DatabaseKindName(file.kind));
        const QString old = build(file.kind, "old." + DatabaseKindName(file.kind));
        for (const QString& statement : file.takeBack)
            RawQuery(old, statement);
        if (file.kind == DatabaseKind::Project)
            DropTablesOfLaterProjectMigrations(old, file.migration);
        else
            TakeBackLaterStepMigrations(old, file.migration);
        RawQuery(old, QStringLiteral("PRAGMA user_version = %1").arg(MigrationNumberNamed(file.kind, file.migration) - 1));

        CSchemaMigrator migrator(file.kind, BuiltInMigrations(file.kind));
        EXPECT_EQ(migrator.Migrate(old, DatabaseRole::ReadWrite), MigrationOutcome::Migrated)
            << migrator.ErrorText().toStdString();
        EXPECT_EQ(RawQuery(old, "PRAGMA user_version").toInt(), CSchemaBuilder::SchemaVersion(file.kind));
        EXPECT_EQ(RawQuery(old, CATEGORY_SCHEMA).toString(), RawQuery(fresh, CATEGORY_SCHEMA).toString());
        EXPECT_EQ(RawQuery(old, file.keptRows).toString(), "Kept");
    }
    const QString step = build(DatabaseKind::Step, "STEP_9.STP");
    EXPECT_EQ(RawQuery(step, CATEGORY_FIELD_TYPES).toString(),
              "100008 StreamCategoryID, 100009 LaborID, 100010 KeyComponentID");
}
