// A project file from before the preference tables gains them, with the seed rows and the model
// library a fresh file has; a rounding option the file already holds keeps its value. A file from
// before the cost factor tables gains them with the item library and the seed cost factors.
// A project from before the vapour emission tables gains those, their seed rows and the emission models.

#include "ProjectsTestSupport.h"
#include "foundation/db/schema/SchemaBuilder.h"
#include "modules/steputils/SchemaMigration.h"
#include "modules/steputils/SchemaMigrator.h"

namespace {

const char* const PROJECT_SCHEMA =
    "SELECT group_concat(sql, ';') FROM (SELECT sql FROM sqlite_master WHERE sql IS NOT NULL ORDER BY name)";

const char* const PREFERENCE_ROWS[] = {
    ("SELECT group_concat(OperationTypeID || ' ' || ModelTypeID || ' ' || ModelName || ' ' || ModelKind, ', ') "
     "FROM (SELECT * FROM ModelLibrary WHERE ModelKind = 0 ORDER BY ModelTypeID)"),
    "SELECT group_concat(PhysicalProperty || '=' || ModelName, ', ') FROM \"PREFER-PhysicalPropertyModels\"",
    "SELECT group_concat(Name || '=' || Value, ', ') FROM \"PREFER-Chem\"",
    "SELECT group_concat(UpperLimit || ' ' || Type || ' ' || Precision, ', ') FROM \"PREFER-ResultRounding\"",
    "SELECT count(*) FROM \"PREFER-Models\"",
    "SELECT group_concat(Value) FROM TextRecipeOptions WHERE Options = 'RoundValues'",
};

const char* const COST_FACTOR_ROWS[] = {
    "SELECT group_concat(CostFactorID || ' ' || CostFactorType || ' ' || CostFactorItem || ' ' || CostFactor || ' ' ||"
    " ifnull(CostFactorUOM, '-') || ' ' || RowOrder, ', ') FROM (SELECT * FROM CostFactor ORDER BY CostFactorID)",
    "SELECT group_concat(CalculatedCostFactorID || ' ' || CalculatedCostFactor || ' ' || CalculatedCostFactorType, ', ')"
    " FROM (SELECT * FROM CalculatedCostFactorLibrary ORDER BY CalculatedCostFactorID)",
    "SELECT group_concat(CostFactorID || ':' || CalculatedCostFactorID, ', ') FROM ItemizedCostFactor",
};

void TakeBackBeforeCostFactorTables(const QString& path)
{
    for (const char* table : {"CostFactor", "CalculatedCostFactorLibrary", "ItemizedCostFactor"})
        RawQuery(path, QStringLiteral("DROP TABLE %1").arg(QLatin1String(table)));
    DropTablesOfLaterProjectMigrations(path, "cost-factors");
    RawQuery(path, QStringLiteral("PRAGMA user_version = %1").arg(MigrationNumberNamed(DatabaseKind::Project, "cost-factors") - 1));
}

const char* const AIR_EMISSION_ROWS[] = {
    "SELECT group_concat(OperationTypeID || ' ' || ModelTypeID || ' ' || ModelName, ', ')"
    " FROM (SELECT * FROM ModelLibrary WHERE ModelKind = 1 ORDER BY OperationTypeID, ModelTypeID)",
    "SELECT group_concat(OperationTypeID || ' ' || FieldTypeID || ' ' || FieldLabel, ', ') FROM AirEmissionEquipmentKinds",
    "SELECT group_concat(OperationTypeID || ' ' || EquipmentFieldTypeID || ' ' || SequenceNumber || ' ' || "
    "AirEmissionModelID, ', ') FROM \"PREFER-AirEmission\"",
    "SELECT group_concat(ComponentCategory || '=' || ControlEfficiency, ', ') FROM \"PREFER-ControlEfficiency\"",
    "SELECT group_concat(DefaultName || ' ' || ControlState || ' ' || ifnull(ComboList, '-'), ', ')"
    " FROM OperationDefaults WHERE VaporEmission = 1",
    "SELECT count(*) FROM QryOperationDefaults",
};

// The file as it was before the air emission migration: no vapour emission tables, rows or column.
void TakeBackBeforeAirEmission(const QString& path)
{
    for (const QString& statement : AirEmissionTakeBack())
        RawQuery(path, statement);
    RawQuery(path, QStringLiteral("PRAGMA user_version = %1")
                       .arg(MigrationNumberNamed(DatabaseKind::Project, "air-emission") - 1));
}

void TakeBackBeforePreferenceTables(const QString& path, bool keepRoundValues)
{
    TakeBackBeforeCostFactorTables(path);
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

TEST_F(PreferenceSchemaMigrationTest, AnOlderProjectGainsTheCostFactorTablesWithTheLibraryAndSeedRows)
{
    const QString fresh = build(DatabaseKind::Project, "fresh.prj");
    EXPECT_TRUE(RawQuery(fresh, COST_FACTOR_ROWS[1]).toString().endsWith("9 Average Batch Time Time, "
                                                                           "10 Average Cycle Time Time"));
    const QString old = build(DatabaseKind::Project, "old.prj");
    TakeBackBeforeCostFactorTables(old);
    CSchemaMigrator migrator(DatabaseKind::Project, BuiltInMigrations(DatabaseKind::Project));
    EXPECT_EQ(migrator.Migrate(old, DatabaseRole::ReadWrite), MigrationOutcome::Migrated)
        << migrator.ErrorText().toStdString();
    EXPECT_EQ(RawQuery(old, PROJECT_SCHEMA).toString(), RawQuery(fresh, PROJECT_SCHEMA).toString());
    for (const char* rows : COST_FACTOR_ROWS)
        EXPECT_EQ(RawQuery(old, rows).toString(), RawQuery(fresh, rows).toString()) << rows;
}

TEST_F(PreferenceSchemaMigrationTest, AnOlderProjectGainsTheAirEmissionTablesAndTheirSeedRows)
{
    const QString fresh = build(DatabaseKind::Project, "fresh.prj");
    EXPECT_EQ(RawQuery(fresh, AIR_EMISSION_ROWS[1]).toString().count(','), 17);
    const QString old = build(DatabaseKind::Project, "old.prj");
    TakeBackBeforeAirEmission(old);
    CSchemaMigrator migrator(DatabaseKind::Project, BuiltInMigrations(DatabaseKind::Project));
    EXPECT_EQ(migrator.Migrate(old, DatabaseRole::ReadWrite), MigrationOutcome::Migrated)
        << migrator.ErrorText().toStdString();
    EXPECT_EQ(RawQuery(old, PROJECT_SCHEMA).toString(), RawQuery(fresh, PROJECT_SCHEMA).toString());
    for (const char* rows : AIR_EMISSION_ROWS)
        EXPECT_EQ(RawQuery(old, rows).toString(), RawQuery(fresh, rows).toString()) << rows;
}
