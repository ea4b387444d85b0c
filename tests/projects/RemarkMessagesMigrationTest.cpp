// A project file from before the negative-value, unschedulable-step and assumed-density remarks
// gains their rows in the message catalogue, as a fresh file has them; a file that already holds
// them keeps its own.

#include "ProjectsTestSupport.h"
#include "modules/steputils/SchemaMigrator.h"

namespace {

const char* const REMARK_ROWS =
    "SELECT group_concat(MessageID || ' ' || MessageType || ' ' || MessageText || ' ' || "
    "Level, ' | ') FROM (SELECT * FROM TblMessageLibrary WHERE MessageID IN (1007, 1008, 1009) "
    "ORDER BY MessageID)";

} // namespace

class RemarkMessagesMigrationTest : public ProjectsFixture {};

TEST_F(RemarkMessagesMigrationTest, AnOlderProjectGainsTheRowsAndKeepsItsOwn)
{
    const QString fresh = build(DatabaseKind::Project, "fresh.prj");
    const QString density = " | 1009 Warning %s has no density: 1,000 kg/m3 assumed. 2";
    EXPECT_EQ(RawQuery(fresh, REMARK_ROWS).toString(), "1007 Error A value of %s is negative; 0 is used. 1 | "
                                                       "1008 Error Step %s (%s) cannot be scheduled: %s. 1" +
                                                           density);
    const QString old = build(DatabaseKind::Project, "old.prj");
    RawQuery(old, "DELETE FROM TblMessageLibrary WHERE MessageID IN (1007, 1009)");
    RawQuery(old, "UPDATE TblMessageLibrary SET MessageText = 'kept' WHERE MessageID = 1008");
    RawQuery(old, QStringLiteral("PRAGMA user_version = %1")
                      .arg(MigrationNumberNamed(DatabaseKind::Project, "value-and-plan-remarks") - 1));
    CSchemaMigrator migrator(DatabaseKind::Project, BuiltInMigrations(DatabaseKind::Project));
    ASSERT_EQ(migrator.Migrate(old, DatabaseRole::ReadWrite), MigrationOutcome::Migrated)
        << migrator.ErrorText().toStdString();
    EXPECT_EQ(RawQuery(old, REMARK_ROWS).toString(),
              "1007 Error A value of %s is negative; 0 is used. 1 | 1008 Error kept 1" + density);
    EXPECT_EQ(RawQuery(old, "PRAGMA user_version").toInt(),
              CSchemaBuilder::SchemaVersion(DatabaseKind::Project));
}
