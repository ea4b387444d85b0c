#include "foundation/db/schema/SchemaObjectCheck.h"
#include "DbFixture.h"
#include "foundation/db/connection/ChangeTracking.h"
#include "foundation/db/connection/DaoException.h"
#include "foundation/db/files/DatabaseFiles.h"
#include "foundation/db/schema/ReadTimeGuard.h"
#include "foundation/db/schema/SchemaBuilder.h"
#include "CaseSpelledObjects.h"

#include <QFileInfo>
#include <sqlite3.h>

#include <chrono>
#include <thread>

class SchemaObjectCheckTest : public DbFixture {};

namespace {
// Our statement of that view with each space replaced.
QString laidOut(const char* view, const char* space)
{
    return OurSchemaStatement(DatabaseKind::Project, view).replace(' ', QString::fromUtf8(space)) + " ;";
}
} // namespace

// Every kind's fresh file is all ours; the objects others add are named, except tables and
// indexes, which run nothing.
TEST_F(SchemaObjectCheckTest, OnlyViewsAndTriggersOfOurMakingPass)
{
    for (DatabaseKind kind : ALL_DATABASE_KINDS) {
        const QString path = pathOf(DatabaseKindName(kind) + ".db");
        ASSERT_TRUE(CSchemaBuilder::Build(kind, path));
        EXPECT_EQ(ReviewSchemaObjectsOfFile(path, kind).Describe(), "") << DatabaseKindName(kind).toStdString();
    }
    const struct {
        QStringList changes;
        const char* found;
    } cases[] = {
        {{"CREATE TABLE Notes (Text TEXT)"}, ""},
        {{"CREATE INDEX NotesByStep ON \"Step-To-Process\" (StepOrder)"}, ""},
        {{"DROP VIEW QryStepInProject", "CREATE VIEW QryStepInProject AS SELECT 1 AS StepID"},
         "the view \"QryStepInProject\" is not one of ours"},
        {{"DROP VIEW QryStepInProject", "CREATE TABLE QryStepInProject (StepID INTEGER)"},
         "the table \"QryStepInProject\" is not one of ours"},
        {{"DROP TABLE \"Step-To-Process\"", "CREATE VIEW \"Step-To-Process\" AS SELECT 1 AS StepID"},
         "the view \"Step-To-Process\" is not one of ours"},
        {{"CREATE TRIGGER Spin AFTER INSERT ON Project BEGIN SELECT 1; END"},
         "the trigger \"Spin\" is not one of ours"},
        {{"DROP VIEW QryStepInProject", laidOut("QryStepInProject", "\t -- laid out\n\r\n  ")}, ""},
        {{"DROP VIEW QryStepInProject", laidOut("QryStepInProject", " /* other */ ")},
         "the view \"QryStepInProject\" is not one of ours"},
        {{"DROP VIEW QryStepInProject", "CREATE VIEW qrystepinproject AS SELECT 1 AS StepID"},
         "the view \"qrystepinproject\" is not one of ours"},
        {{"DROP TABLE \"Step-To-Process\"", "CREATE VIEW \"STEP-TO-PROCESS\" AS SELECT 1 AS StepID"},
         "the view \"STEP-TO-PROCESS\" is not one of ours"},
    };
    // The second pass meets texts already found ours once.
    for (int pass = 0; pass < 2; ++pass) {
        for (const auto& c : cases) {
            const QString path = pathOf("changed.prj");
            QFile::remove(path);
            ASSERT_TRUE(CSchemaBuilder::Build(DatabaseKind::Project, path));
            for (const QString& statement : c.changes)
                scalar(path, statement);
            EXPECT_EQ(ReviewSchemaObjectsOfFile(path, DatabaseKind::Project).Describe(), c.found)
                << pass << ": " << c.changes.join("; ").toStdString();
        }
    }
}

namespace {
// A value as slow as a read may be: it waits until its connection is interrupted (and fails as
// interrupted), or until it gives up, and counts the interrupts it saw. Its statement makes a
// handful of engine steps, so a guard that looks at the clock only every so many steps never stops
// it; only an interrupt at the deadline does.
struct InterruptWait {
    std::chrono::milliseconds givingUp;
    int interrupts = 0;
};

void WaitForInterrupt(sqlite3_context* context, int, sqlite3_value**)
{
    auto* wait = static_cast<InterruptWait*>(sqlite3_user_data(context));
    sqlite3* engine = sqlite3_context_db_handle(context);
    const auto end = std::chrono::steady_clock::now() + wait->givingUp;
    while (std::chrono::steady_clock::now() < end) {
        // A statement started while another runs fails at once once the connection is interrupted.
        if (sqlite3_exec(engine, "SELECT 1", nullptr, nullptr, nullptr) == SQLITE_INTERRUPT) {
            ++wait->interrupts;
            sqlite3_result_error_code(context, SQLITE_INTERRUPT);
            return;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
    sqlite3_result_int(context, 0);
}
} // namespace

// A read that runs past the guard's time fails with the guard expired: one of endless rows, and one
// whose only row takes longer than the guard's time, which only the interrupt at the deadline stops
// (the interrupt it saw is counted). A value past the guard's longest is refused at once, the guard
// not expired. The connection reads as before once the guard is gone.
TEST_F(SchemaObjectCheckTest, AReadPastTheGuardsTimeIsInterrupted)
{
    const QString endless = "WITH RECURSIVE c(x) AS (SELECT 1 UNION ALL SELECT x + 1 FROM c) ";
    const struct {
        QString select;
        bool expired;
        int interruptsSeen;
    } cases[] = {
        {endless + "SELECT count(*) FROM c", true, 0},
        {"SELECT wait_for_interrupt()", true, 1},
        {endless + "SELECT x + 0 * length(replace(hex(zeroblob(4000000 + x)), '0', 'ab')) AS t FROM c ORDER BY t",
         false, 0},
    };
    const QString path = pathOf("results.mdb");
    ASSERT_TRUE(CSchemaBuilder::Build(DatabaseKind::Results, path));
    CDaoDatabase database;
    database.Open(path, DatabaseRole::ReadOnly);
    sqlite3* engine = SqliteEngineOf(database.Connection().database());
    ASSERT_NE(engine, nullptr);
    InterruptWait wait{std::chrono::seconds(10)};
    ASSERT_EQ(sqlite3_create_function_v2(engine, "wait_for_interrupt", 0, SQLITE_UTF8, &wait, &WaitForInterrupt,
                                         nullptr, nullptr, nullptr),
              SQLITE_OK);
    for (const auto& c : cases) {
        wait.interrupts = 0;
        {
            CReadTimeGuard guard(database, 300);
            EXPECT_THROW(database.Query(c.select), CDaoException) << c.select.toStdString();
            EXPECT_EQ(guard.Expired(), c.expired) << c.select.toStdString();
        }
        EXPECT_EQ(wait.interrupts, c.interruptsSeen) << c.select.toStdString();
        QSqlQuery query = database.Query("SELECT count(*), length(zeroblob(4000000)) FROM OperationSchedule");
        EXPECT_TRUE(query.next());
    }
}

// A working copy open but not yet read is reviewed from its file, which leaves it unread (no -wal
// or -shm); once its log holds a change, the review reads through the connection and sees it. A
// file the page reader does not take (UTF-16) is still reviewed.
TEST_F(SchemaObjectCheckTest, ReviewsWhatTheFileAndItsLogHold)
{
    const QString built = pathOf("built.prj"), copy = pathOf("project.wc");
    ASSERT_TRUE(CSchemaBuilder::Build(DatabaseKind::Project, built));
    ASSERT_TRUE(CopyWorkingCopyFile(built, copy, WorkingCopyWrite::IntoUnclaimedFolder));
    CDaoDatabase open;
    open.Open(copy, DatabaseRole::WorkingCopy);
    EXPECT_EQ(ReviewSchemaObjectsOfFile(copy, DatabaseKind::Project).Describe(), "");
    for (const QString& side : DatabaseSideFiles(copy))
        EXPECT_FALSE(QFileInfo::exists(side)) << side.toStdString();
    open.Execute("CREATE TRIGGER Spin AFTER INSERT ON Project BEGIN SELECT 1; END");
    ASSERT_TRUE(QFileInfo::exists(copy + "-wal"));
    EXPECT_EQ(ReviewSchemaObjectsOfFile(copy, DatabaseKind::Project).Describe(),
              "the trigger \"Spin\" is not one of ours");

    const QString wide = makeDatabase("wide.prj", {"PRAGMA encoding = 'UTF-16le'", "CREATE TABLE Project (ID INTEGER)",
                                                   "CREATE TRIGGER Spin AFTER INSERT ON Project BEGIN SELECT 1; END"});
    EXPECT_EQ(ReviewSchemaObjectsOfFile(wide, DatabaseKind::Project).Describe(),
              "the trigger \"Spin\" is not one of ours");
}

// A view or trigger whose type is spelled in capitals is what the engine loads: a view or trigger,
// refused by name in a file of every kind, from its pages and through a connection alike.
TEST_F(SchemaObjectCheckTest, ATypeSpelledInCapitalsIsRefusedByName)
{
    for (DatabaseKind kind : ALL_DATABASE_KINDS) {
        const QString built = pathOf(DatabaseKindName(kind) + ".built");
        ASSERT_TRUE(CSchemaBuilder::Build(kind, built));
        const QString ours = scalar(built, "SELECT name FROM sqlite_master WHERE type = 'table' AND name NOT LIKE "
                                           "'sqlite%' ORDER BY rootpage LIMIT 1")
                                 .toString();
        for (const auto& [spelled, type] : {std::pair{CaseSpelled::View, "view"}, {CaseSpelled::Trigger, "trigger"}}) {
            const QString path = pathOf(DatabaseKindName(kind) + type);
            ASSERT_TRUE(QFile::copy(built, path));
            const QString name = SpellObjectInCapitals(path, ours, spelled);
            const QString expected = QStringLiteral("the %1 \"%2\" is not one of ours").arg(type, name);
            EXPECT_EQ(ReviewSchemaObjectsOfFile(path, kind).Describe(), expected)
                << DatabaseKindName(kind).toStdString();
            CDaoDatabase database;
            database.Open(path, DatabaseRole::ReadOnly);
            EXPECT_EQ(ForeignSchemaObject(database, kind), expected) << DatabaseKindName(kind).toStdString();
        }
    }
}

// Our tables, and the indexes on them, run no code where ours run none: a generated column, a
// CHECK not of ours, a DEFAULT expression, an expression or partial index, a collation the engine
// lacks, table options, a column every row must give are refused by name; our CHECKs however laid
// out or left out, CHECK or COLLATE in a comment, literal or name, and tables of other names pass.
TEST_F(SchemaObjectCheckTest, ConstructsThatRunCodeWhereOursRunNoneAreRefused)
{
    // A stored statement written otherwise, as a file of another making may write it.
    const auto written = [](const char* name, const char* ours, const char* theirs) {
        return QStringList{"PRAGMA writable_schema = ON",
                           QStringLiteral("UPDATE sqlite_master SET sql = replace(sql, '%1', '%2') WHERE name = '%3'")
                               .arg(QString::fromUtf8(ours).replace("'", "''"),
                                    QString::fromUtf8(theirs).replace("'", "''"), QString::fromUtf8(name))};
    };
    const auto keyWritten = [&written](const char* definition) {
        return written("Project", "ProjectID INTEGER PRIMARY KEY", definition);
    };
    const char* const costCheck = "CHECK (CostFactorID <> 0 OR CostFactorType = 'Fixed Cost')";
    const auto costCheckWritten = [&written, costCheck](const char* check) {
        return written("CostFactor", costCheck, check);
    };
    const struct {
        QStringList changes;
        const char* found;
    } cases[] = {
        {{"ALTER TABLE Project ADD COLUMN Spin INTEGER AS (ProjectID * 2)"},
         "the table \"Project\" is not one of ours (a generated column)"},
        {keyWritten("ProjectID INTEGER PRIMARY KEY DEFAULT (abs(-1))"),
         "the table \"Project\" is not one of ours (a DEFAULT expression)"},
        {{"ALTER TABLE Project ADD COLUMN Spin TEXT DEFAULT 'x' COLLATE NOCASE"}, ""},
        {keyWritten("ProjectID INTEGER PRIMARY KEY CHECK (ProjectID > 0)"),
         "the table \"Project\" is not one of ours (a CHECK constraint)"},
        {keyWritten("ProjectID INTEGER PRIMARY KEY /* CHECK */ DEFAULT 'check' -- CHECK\n"), ""},
        {{"CREATE INDEX Spin ON Project (abs(ProjectID))"},
         "the index \"Spin\" is not one of ours (an expression or partial index)"},
        {{"CREATE INDEX Spin ON Project (ProjectID) WHERE ProjectID > 0"},
         "the index \"Spin\" is not one of ours (an expression or partial index)"},
        {{"CREATE TABLE Notes (Text TEXT CHECK (Text <> '') DEFAULT (lower('x')), Twice AS (Text || Text))",
          "CREATE INDEX NotesByText ON Notes (lower(Text)) WHERE Text > ''"},
         ""},
        {costCheckWritten("CHECK (CostFactorID <> 0 OR length(hex(zeroblob(1000000))) > 0)"),
         "the table \"CostFactor\" is not one of ours (a CHECK constraint)"},
        {costCheckWritten("check(costfactorid<>0 /* ours */ Or CostFactorType =\n 'Fixed Cost')"), ""},
        {costCheckWritten("CHECK (CostFactorID <> 0 OR CostFactorType = 'fixed cost')"),
         "the table \"CostFactor\" is not one of ours (a CHECK constraint)"},
        {costCheckWritten("CONSTRAINT 'check' DEFAULT 'CHECK (1)'"), ""},
        {costCheckWritten(""), ""}, // an older file's cost factors, without our CHECK
        {keyWritten("ProjectID INTEGER PRIMARY KEY CHECK (CostFactorID <> 0 OR CostFactorType = 'Fixed Cost')"),
         "the table \"Project\" is not one of ours (a CHECK constraint)"},
        {written("Project", "ProjectName TEXT COLLATE NOCASE", "ProjectName TEXT COLLATE \"Fz7_NoSuch\""),
         "the column \"ProjectName\" of the table \"Project\" is not one of ours (the collation \"Fz7_NoSuch\")"},
        {written("Project", "ProjectName TEXT COLLATE NOCASE", "\"Project Name\" TEXT CHECK (1 COLLATE nosuch)"),
         "the table \"Project\" is not one of ours (a CHECK constraint)"},
        {written("Project", "ProjectName TEXT COLLATE NOCASE",
                 "ProjectName TEXT COLLATE rtrim DEFAULT 'COLLATE x' /* COLLATE y */, UNIQUE (ProjectName COLLATE "
                 "Binary)"),
         ""},
        {QStringList{"CREATE INDEX Spin ON Project (Description)"} +
             written("Spin", "Description", "Description COLLATE nosuch"),
         "the column \"Description\" of the table \"Project\" is not one of ours (the collation \"nosuch\")"},
        {written("Project", "StepCounter INTEGER NOT NULL DEFAULT 0\n)", "StepCounter INTEGER NOT NULL DEFAULT 0) STRICT"),
         "the table \"Project\" is not one of ours (STRICT)"},
        {QStringList{"ALTER TABLE Project ADD COLUMN Spin INTEGER NOT NULL DEFAULT 0"} +
             written("Project", "Spin INTEGER NOT NULL DEFAULT 0", "Spin INTEGER NOT NULL"),
         "the column \"Spin\" of the table \"Project\" is not one of ours (NOT NULL without a default)"},
    };
    for (const auto& c : cases) {
        const QString path = pathOf("constructs.prj");
        QFile::remove(path);
        ASSERT_TRUE(CSchemaBuilder::Build(DatabaseKind::Project, path));
        {
            QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("constructs"));
            db.setDatabaseName(path);
            ASSERT_TRUE(db.open());
            QSqlQuery query(db);
            for (const QString& statement : c.changes)
                EXPECT_TRUE(query.exec(statement)) << query.lastError().text().toStdString();
        }
        QSqlDatabase::removeDatabase(QStringLiteral("constructs"));
        EXPECT_EQ(ReviewSchemaObjectsOfFile(path, DatabaseKind::Project).Describe(), c.found)
            << c.changes.join("; ").toStdString();
    }
    // Our own CHECKs (one in results, two in the cost factors' migration and base) pass.
    const QString results = pathOf("results.mdb");
    ASSERT_TRUE(CSchemaBuilder::Build(DatabaseKind::Results, results));
    EXPECT_GT(count(results, "SELECT count(*) FROM sqlite_master WHERE sql LIKE '%CHECK%'"), 0);
    EXPECT_EQ(ReviewSchemaObjectsOfFile(results, DatabaseKind::Results).Describe(), "");
}

// A table of ours lacking a column of ours is refused only in a file at the current version: a
// migration adds it to an older one.
TEST_F(SchemaObjectCheckTest, AColumnOfOursLackingCountsAgainstACurrentFileOnly)
{
    const QString path = pathOf("lacking.prj");
    ASSERT_TRUE(CSchemaBuilder::Build(DatabaseKind::Project, path));
    scalar(path, "ALTER TABLE Project DROP COLUMN Description");
    const SchemaObjectReview review = ReviewSchemaObjectsOfFile(path, DatabaseKind::Project);
    EXPECT_EQ(review.Describe(), "");
    EXPECT_EQ(review.DescribeCurrent(), "the table \"Project\" is not one of ours (it has no column \"Description\")");
}

// A schema the engine cannot read is said to be unreadable, with the engine's reason.
TEST_F(SchemaObjectCheckTest, AnUnreadableSchemaIsSaidToBe)
{
    const QString path = pathOf("damaged.prj");
    ASSERT_TRUE(CSchemaBuilder::Build(DatabaseKind::Project, path));
    {
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::ReadWrite));
        ASSERT_TRUE(file.seek(103)); // the cell count of the schema table's first page
        ASSERT_EQ(file.write(QByteArray("\x7F\xFF", 2)), 2);
    }
    const SchemaObjectReview review = ReviewSchemaObjectsOfFile(path, DatabaseKind::Project);
    EXPECT_EQ(review.foreign, "");
    EXPECT_NE(review.unreadable, "");
}
