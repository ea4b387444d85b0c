// A project file from before the preference tables gains them, with the seed rows and the model
// library a fresh file has; a rounding option the file already holds keeps its value.

#include "ProjectsTestSupport.h"
#include "foundation/db/SchemaBuilder.h"
#include "modules/steputils/SchemaMigration.h"
#include "modules/steputils/SchemaMigrator.h"

namespace {

const char* const PROJECT_SCHEMA =
    "SELECT group_concat(sql, ';') FROM (SELECT sql FROM sqlite_master WHERE sql IS NOT NULL ORDER BY name)";

const char* const PREFERENCE_ROWS[] = {
    "SELECT group_concat(OperationTypeID || ' ' || ModelTypeID || ' ' || ModelName || ' ' || ModelKind, ', ')"
    " FROM (SELECT * FROM ModelLibrary ORDER BY ModelTypeID)",
    "SELECT group_concat(PhysicalProperty || '=' || ModelName, ', ') FROM \"PREFER-PhysicalPropertyModels\"",
    "SELECT group_concat(Name || '=' || Value, ', ') FROM \"PREFER-Chem\"",
    "SELECT group_concat(UpperLimit || ' ' || Type || ' ' || Precision, ', ') FROM \"PREFER-ResultRounding\"",
    "SELECT count(*) FROM \"PREFER-Models\"",
    "SELECT group_concat(Value) FROM TextRecipeOptions WHERE Options = 'RoundValues'",
};

void TakeBackBeforePreferenceTables(const QString& path, bool keepRoundValues)
{
    for (const char* table : {"\"PREFER-Models\"", "\"PREFER-PhysicalPropertyModels\"", "\"PREFER-Chem\"",
                              "\"PREFER-ResultRounding\"", "ModelLibrary"})
        RawQuery(path, QStringLiteral("DROP TABLE %1").arg(QLatin1String(table)));
    RawQuery(path, keepRoundValues ? "UPDATE TextRecipeOptions SET Value = 1 WHERE Options = 'RoundValues'"
                                   : "DELETE FROM TextRecipeOptions WHERE Options = 'RoundValues'");
    // Tables of later migrations go too, so that the whole run from there is replayed.
    for (const char* table : {"TblLaborCategory", "StreamCategoryTable"})
        RawQuery(path, QStringLiteral("DROP TABLE %1").arg(QLatin1String(table)));
    RawQuery(path, QStringLiteral("PRAGMA user_version = %1").arg(MigrationNumberNamed(DatabaseKind::Project, "preference-tables") - 1));
}

} // namespace

class PreferenceSchemaMigrationTest : public ProjectsFixture {};

TEST_F(PreferenceSchemaMigrationTest, AnOlderProjectGainsThePreferenceTablesAndTheirSeedRows)
{
    const QString fresh = build(DatabaseKind::Project, "fresh.prj");
    EXPECT_EQ(RawQuery(fresh, PREFERENCE_ROWS[0]).toString(),
              "17 1 Batch Distillation 0, 17 2 Batch Distillation Rigorous 0, 26 3 Jacket 0, "
              "26 4 Jacket And Coil 0, 32 5 Stoichiometric 0, 32 6 Kinetic 0");
    EXPECT_EQ(RawQuery(fresh, PREFERENCE_ROWS[5]).toString(), "0");
    for (const bool keepRoundValues : {false, true}) {
        SCOPED_TRACE(keepRoundValues);
        const QString old = build(DatabaseKind::Project, keepRoundValues ? "kept.prj" : "old.prj");
        TakeBackBeforePreferenceTables(old, keepRoundValues);

        CSchemaMigrator migrator(DatabaseKind::Project, BuiltInMigrations(DatabaseKind::Project));
        EXPECT_EQ(migrator.Migrate(old, DatabaseRole::ReadWrite), MigrationOutcome::Migrated)
            << migrator.ErrorText().toStdString();
        EXPECT_EQ(RawQuery(old, "PRAGMA user_version").toInt(), CSchemaBuilder::SchemaVersion(DatabaseKind::Project));
        EXPECT_EQ(RawQuery(old, PROJECT_SCHEMA).toString(), RawQuery(fresh, PROJECT_SCHEMA).toString());
        for (const char* rows : PREFERENCE_ROWS) {
            const bool keptOption = keepRoundValues && rows == PREFERENCE_ROWS[5];
            EXPECT_EQ(RawQuery(old, rows).toString(), keptOption ? "1" : RawQuery(fresh, rows).toString()) << rows;
        }
    }
}
