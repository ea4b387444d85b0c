// A project file from before plan ids were kept unique gains the AUTOINCREMENT plan table with
// its rows, the schema of a fresh file, and the next plan id above every one it held.

#include "ProjectsTestSupport.h"
#include "foundation/db/schema/SchemaBuilder.h"
#include "modules/steputils/SchemaMigration.h"
#include "modules/steputils/SchemaMigrator.h"

namespace {
const char* const PLAN_SCHEMA =
    "SELECT group_concat(sql, ';') FROM (SELECT sql FROM sqlite_master WHERE sql IS NOT NULL ORDER BY name)";

void TakeBackBeforePlanIds(const QString& path)
{
    RawQuery(path, "DROP VIEW QryProductionPlanInProject");
    RawQuery(path, "DROP TABLE ProductionPlan");
    RawQuery(path, "CREATE TABLE ProductionPlan (\n    PlanID INTEGER PRIMARY KEY,\n    PlanName TEXT COLLATE NOCASE,\n"
                   "    StartDateTime REAL,\n    OutputUOMSetID INTEGER\n)");
    RawQuery(path, "CREATE VIEW QryProductionPlanInProject AS\nSELECT pp.PlanID, p.PlanName, pp.ProjectID\n"
                   "FROM \"ProductionPlan-To-Project\" pp\nJOIN ProductionPlan p ON p.PlanID = pp.PlanID\n"
                   "ORDER BY pp.PlanID");
    RawQuery(path, "INSERT INTO ProductionPlan (PlanID, PlanName, StartDateTime, OutputUOMSetID) "
                   "VALUES (3, 'Weekly', 46000.5, 1), (9, 'Spare', NULL, 2)");
    DropTablesOfLaterProjectMigrations(path, "plan-ids");
    RawQuery(path, QStringLiteral("PRAGMA user_version = %1").arg(MigrationNumberNamed(DatabaseKind::Project, "plan-ids") - 1));
}

} // namespace

class PlanIdMigrationTest : public ProjectsFixture {};

TEST_F(PlanIdMigrationTest, AnOlderProjectKeepsItsPlansAndNeverGivesAnIdAgain)
{
    const QString fresh = build(DatabaseKind::Project, "fresh.prj");
    const QString old = build(DatabaseKind::Project, "old.prj");
    TakeBackBeforePlanIds(old);
    CSchemaMigrator migrator(DatabaseKind::Project, BuiltInMigrations(DatabaseKind::Project));
    ASSERT_EQ(migrator.Migrate(old, DatabaseRole::ReadWrite), MigrationOutcome::Migrated)
        << migrator.ErrorText().toStdString();
    EXPECT_EQ(RawQuery(old, PLAN_SCHEMA).toString(), RawQuery(fresh, PLAN_SCHEMA).toString());
    EXPECT_EQ(RawQuery(old, "SELECT group_concat(PlanID || ' ' || PlanName || ' ' || quote(StartDateTime), ', ') "
                            "FROM ProductionPlan").toString(),
              "3 Weekly 46000.5, 9 Spare NULL");
    RawQuery(old, "DELETE FROM ProductionPlan WHERE PlanID = 9");
    RawQuery(old, "INSERT INTO ProductionPlan (PlanName) VALUES ('Next')");
    EXPECT_EQ(RawQuery(old, "SELECT PlanID FROM ProductionPlan WHERE PlanName = 'Next'").toInt(), 10);
}
