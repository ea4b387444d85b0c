// The empty step database that step files are read into: what it holds, and a template that has
// gone missing, is of another schema version or is no database at all built again before use.

#include "modules/steputils/EmptyStepTemplate.h"
#include "FakeAppContext.h"
#include "foundation/db/content/ProjectGenerator.h"
#include "foundation/db/schema/SchemaBuilder.h"
#include "modules/steputils/ExchangeColumns.h"
#include "modules/steputils/ExchangeFormat.h"
#include "modules/steputils/StepFileReader.h"

#include <QFile>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QUuid>
#include <functional>
#include <gtest/gtest.h>

namespace {

// The values of one statement's first column, joined; empty when it fails.
QString TemplateRaw(const QString& path, const QString& sql)
{
    const QString name = QUuid::createUuid().toString();
    QStringList values;
    {
        QSqlDatabase db = QSqlDatabase::addDatabase("QSQLITE", name);
        db.setDatabaseName(path);
        QSqlQuery query(db);
        if (db.open() && query.exec(sql))
            while (query.next())
                values << query.value(0).toString();
    }
    QSqlDatabase::removeDatabase(name);
    return values.join('|');
}

// Each table's definition and row count.
QString TablesAndRows(const QString& path)
{
    QStringList described;
    for (const QString& table :
         TemplateRaw(path, "SELECT name FROM sqlite_master WHERE type = 'table' ORDER BY name").split('|'))
        described << TemplateRaw(path,
                                 QString("SELECT sql FROM sqlite_master WHERE name = '%1'").arg(table)) +
                         " #" + TemplateRaw(path, QString("SELECT count(*) FROM \"%1\"").arg(table));
    return described.join('\n');
}

} // namespace

TEST(EmptyStepTemplateTest, HoldsTheStepSchemaWithItsSeedRowsAndTheExchangeTables)
{
    FakeAppContext app;
    QString error;
    const QString empty = EmptyStepTemplate(&error);
    ASSERT_FALSE(empty.isEmpty()) << error.toStdString();
    const QString built = app.root() + "built.stp";
    ASSERT_TRUE(CSchemaBuilder::Build(DatabaseKind::Step, built));
    const QString held = TablesAndRows(empty);
    for (const QString& line : TablesAndRows(built).split('\n'))
        EXPECT_TRUE(held.contains(line)) << line.toStdString();
    for (const ExchangeTable& table : ExchangeTables()) {
        if (table.part == ExchangePart::Exchange) {
            EXPECT_TRUE(held.contains(QString("CREATE TABLE \"%1\"").arg(table.name)))
                << table.name.toStdString();
        }
    }
    EXPECT_EQ(TemplateRaw(empty, "PRAGMA application_id").toLongLong(), qlonglong(EXCHANGE_APPLICATION_ID));
    EXPECT_EQ(TemplateRaw(empty, "PRAGMA user_version").toInt(),
              CSchemaBuilder::SchemaVersion(DatabaseKind::Step));
}

TEST(EmptyStepTemplateTest, AStaleTemplateIsBuiltAgainBeforeAStepFileIsRead)
{
    FakeAppContext app;
    ASSERT_TRUE(CProjectGenerator().Write(CProjectGenerator::DemoProject(), app.root() + "demo/"));
    QString error;
    const QString empty = EmptyStepTemplate(&error);
    ASSERT_FALSE(empty.isEmpty()) << error.toStdString();
    const QString current = TablesAndRows(empty);
    const std::pair<const char*, std::function<void()>> stale[] = {
        {"missing", [&] { QFile::remove(empty); }},
        {"older version", [&] { TemplateRaw(empty, "PRAGMA user_version = 1"); }},
        {"another kind", [&] { TemplateRaw(empty, "PRAGMA application_id = 1"); }},
        {"no database",
         [&] {
             QFile file(empty);
             ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
             file.write("not a database");
         }},
    };
    for (const auto& [what, spoil] : stale) {
        spoil();
        const QString step = app.root() + QString("%1.exs").arg(what);
        ASSERT_TRUE(QFile::copy(app.root() + "demo/STEP_1001.STP", step));
        CStepFileReader reader;
        EXPECT_TRUE(reader.Rewrite(step)) << what << ": " << reader.ErrorText().toStdString();
        EXPECT_EQ(TemplateRaw(step, "SELECT count(*) FROM Step"), "1") << what;
        EXPECT_EQ(TablesAndRows(empty), current) << what;
    }
}
