#pragma once
// Helpers of the project tests: real database files built from the schema, a private connection
// that reads and writes them without the layer under test, and a child process that stands for
// another program instance.

#include "FakeAppContext.h"
#include "QtPrinters.h"
#include "ScriptedPrompts.h"
#include "foundation/db/schema/SchemaBuilder.h"
#include "modules/steputils/SchemaMigration.h"

#include <QByteArray>
#include <QRegularExpression>
#include <QString>
#include <QVariant>
#include <functional>
#include <gtest/gtest.h>
#include <sys/types.h>

// Runs one statement on the file over a private connection; the first value of the first row.
class CDaoDatabase;

QVariant RawQuery(const QString& path, const QString& sql);
// Drops every trigger of the database, as an older file without them has it.
void DropAllTriggers(CDaoDatabase& database);
// One value read through the layer's read-only role.
QVariant LayerValue(const QString& path, const QString& sql);
QByteArray FileBytes(const QString& path);
// Creates the folders on the way.
void WriteTextFile(const QString& path, const QByteArray& bytes);

// What an earlier instance leaves behind in earlier: working copies of the Demo project in folder
// and of every step (of the blank template "Blank" instead: its three files), and the marker
// naming its folder (no longer locked).
void LeaveEarlierInstance(const QString& folder, const QString& earlier, bool blankTemplate = false);

// Runs work in a child process, which reports its answer through a pipe and then waits to be killed.
class ChildProcess {
public:
    explicit ChildProcess(const std::function<bool()>& work);
    ~ChildProcess() { Kill(); }
    void Kill();
    bool succeeded() const { return m_succeeded; }

private:
    pid_t m_child = -1;
    bool m_succeeded = false;
};

class ProjectsFixture : public ::testing::Test {
protected:
    void TearDown() override { EXPECT_TRUE(m_prompts.allAnswersUsed()); }
    void expectOk(int count = 1)
    {
        while (count-- > 0)
            m_prompts.expect(IDOK);
    }
    // A fresh file of the kind in the fixture's folder.
    QString build(DatabaseKind kind, const QString& name);
    QString pathOf(const QString& name) const { return m_app.root() + name; }

    FakeAppContext m_app;
    ScriptedPromptService m_prompts;
};

// The statements that take a project file back to before the air emission migration: no vapour
// emission tables, rows or column (run before replaying any earlier migration).
inline QStringList AirEmissionTakeBack()
{
    return {"DROP TABLE AirEmissionEquipmentKinds", "DROP TABLE \"PREFER-AirEmission\"",
            "DROP TABLE \"PREFER-ControlEfficiency\"", "DELETE FROM ModelLibrary WHERE ModelKind = 1",
            "DELETE FROM OperationDefaults WHERE VaporEmission = 1", "DROP VIEW QryOperationDefaults",
            "ALTER TABLE OperationDefaults DROP COLUMN VaporEmission",
            "CREATE VIEW QryOperationDefaults AS SELECT OperationName, DefaultName, ControlState, ControlLabel, "
            "ControlUOMList, ValidationRule, CurrentDefaultValue, CurrentValueUOM, OriginalValue, OriginalValueUOM, "
            "ComboList, OperationDefaultID, OperationTypeID FROM OperationDefaults ORDER BY SortOrder, "
            "OperationDefaultID"};
}

// The number of the built-in migration of that kind whose file name holds namePart; 0 when none.
inline int MigrationNumberNamed(DatabaseKind kind, const char* namePart)
{
    for (const SchemaMigration& migration : BuiltInMigrations(kind))
        if (migration.name.contains(QLatin1String(namePart)))
            return migration.number;
    return 0;
}

// Takes back what the project migrations after the one named brought (tables, rows, columns), so
// that a replay from before it runs them again on a file that lacks them.
inline void DropTablesOfLaterProjectMigrations(const QString& path, const char* namePart)
{
    const int from = MigrationNumberNamed(DatabaseKind::Project, namePart);
    const struct {
        const char* migration;
        QStringList statements;
    } later[] = {{"cost-factors",
                  {"DROP TABLE CostFactor", "DROP TABLE CalculatedCostFactorLibrary", "DROP TABLE ItemizedCostFactor"}},
                 {"emission-paths",
                  {"DROP TABLE \"PREFER-MaximumEmissions\"", "DROP TABLE \"PREFER-DefaultECP\"",
                   "DROP TABLE \"PREFER-NonCondensableMaterials\""}},
                 {"air-emission", AirEmissionTakeBack()}};
    for (const auto& [migration, statements] : later)
        if (MigrationNumberNamed(DatabaseKind::Project, migration) > from)
            for (const QString& statement : statements)
                RawQuery(path, statement);
}

// Takes back what the step migrations after the one named created: their tables, views and
// triggers, and the columns they added to older tables.
inline void TakeBackStepMigrationsAbove(const QString& path, int from)
{
    static const QRegularExpression createObject(QStringLiteral("CREATE (TABLE|VIEW|TRIGGER) (\\w+)"));
    static const QRegularExpression addColumn(QStringLiteral("ALTER TABLE (\\w+) ADD COLUMN (\\w+)"));
    // The latest first: a column a later migration added goes before the table an earlier one made.
    const QList<SchemaMigration> migrations = BuiltInMigrations(DatabaseKind::Step);
    for (auto it = migrations.crbegin(); it != migrations.crend(); ++it) {
        const SchemaMigration& migration = *it;
        if (migration.number <= from)
            continue;
        for (const QRegularExpressionMatch& object : createObject.globalMatch(migration.sql))
            RawQuery(path, "DROP " + object.captured(1) + " IF EXISTS " + object.captured(2));
        for (const QRegularExpressionMatch& column : addColumn.globalMatch(migration.sql))
            RawQuery(path, "ALTER TABLE " + column.captured(1) + " DROP COLUMN " + column.captured(2));
    }
}
inline void TakeBackLaterStepMigrations(const QString& path, const char* namePart)
{
    TakeBackStepMigrationsAbove(path, MigrationNumberNamed(DatabaseKind::Step, namePart));
}
