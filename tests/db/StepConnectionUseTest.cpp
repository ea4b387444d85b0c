// The page cache of step connections: small while no view or edit uses them, the engine's full one
// while one does, and the cached pages and kept statements handed back after a pass over idle ones.

#include "DbFixture.h"

#include "foundation/db/recordsets/BulkRows.h"
#include "foundation/db/connection/ChangeTracking.h"
#include "foundation/db/files/DatabaseFiles.h"
#include "foundation/db/connection/StepConnectionUse.h"

#include <QFileInfo>
#include <QSqlDriver>
#include <optional>
#include <sqlite3.h>

namespace {

int cacheSize(CDaoDatabase& db)
{
    QSqlQuery query = db.Query(QStringLiteral("PRAGMA cache_size"));
    return query.next() ? query.value(0).toInt() : 0;
}

int cachedBytes(CDaoDatabase& db)
{
    const QVariant handle = db.Connection().database().driver()->handle();
    int current = 0, highest = 0;
    sqlite3_db_status(*static_cast<sqlite3* const*>(handle.constData()), SQLITE_DBSTATUS_CACHE_USED, &current,
                      &highest, 0);
    return current;
}

class StepConnectionUseTest : public DbFixture {
protected:
    // A step working copy whose header says write-ahead log, as the open leaves it: its set-up
    // waits for its first statement.
    QString makeWalStep()
    {
        const QString path = makeRecipeDatabase();
        scalar(path, "PRAGMA journal_mode=WAL");
        for (int i = 0; i < 200; ++i)
            scalar(path, "INSERT INTO TextRecipe (StepID, Label) VALUES (1, ?)", {QString(400, QLatin1Char('x'))});
        return path;
    }
};

TEST_F(StepConnectionUseTest, IdleStepKeepsSmallCacheAndAUseRestoresTheFullOne)
{
    const QString path = makeWalStep();
    CDaoDatabase db;
    db.Open(path, DatabaseRole::WorkingCopy);
    MarkStepConnectionIdle(db);
    EXPECT_FALSE(QFileInfo::exists(path + "-wal")) << "marking a step idle ran a statement";
    EXPECT_EQ(cacheSize(db), 16);
    {
        CStepConnectionUse view(&db);
        EXPECT_EQ(cacheSize(db), -2000);
        {
            CStepConnectionUse edit(&db);
            EXPECT_EQ(cacheSize(db), -2000);
        }
        EXPECT_EQ(cacheSize(db), -2000) << "one user left: the cache stays full";
        MarkStepConnectionIdle(db);
        EXPECT_EQ(cacheSize(db), -2000) << "a used step is not made idle";
    }
    EXPECT_EQ(cacheSize(db), 16);
    CStepConnectionUse closed(nullptr); // holds nothing
}

TEST_F(StepConnectionUseTest, ReleaseAfterAPassHandsBackIdlePagesOnly)
{
    const QString path = makeWalStep();
    CDaoDatabase db;
    db.Open(path, DatabaseRole::WorkingCopy);
    MarkStepConnectionIdle(db);
    ReleaseIdleStepMemory(&db); // before any statement: nothing to do, nothing run
    EXPECT_FALSE(QFileInfo::exists(path + "-wal"));
    auto readAll = [&] {
        QSqlQuery rows = db.Query(QStringLiteral("SELECT Label FROM TextRecipe"));
        while (rows.next()) {
        }
        ExecKept(db, "TextRecipe", "SELECT count(*) FROM TextRecipe", {});
    };
    readAll();
    const int read = cachedBytes(db);
    ReleaseIdleStepMemory(&db);
    EXPECT_LT(cachedBytes(db), read / 2);
    EXPECT_EQ(db.Connection().keptStatementCount(), 0u) << "its kept statements go too";

    std::optional<CStepConnectionUse> view(&db);
    readAll();
    const int used = cachedBytes(db);
    ReleaseIdleStepMemory(&db);
    EXPECT_EQ(cachedBytes(db), used) << "a step in use keeps its pages";
    EXPECT_EQ(db.Connection().keptStatementCount(), 1u);
    view.reset(); // the last user gone: its pages go too
    EXPECT_LT(cachedBytes(db), used / 2);
    EXPECT_EQ(db.Connection().keptStatementCount(), 0u);
}

// A step copied as the open copies it and only read gives its whole engine handle back after the
// pass, writing nothing; its next statement opens it again. One written, or with a statement still
// running on it, keeps its handle.
TEST_F(StepConnectionUseTest, ReleaseAfterAPassClosesOnlyAStepThatWasOnlyRead)
{
    const QString path = pathOf("STEP_1.WC");
    ASSERT_TRUE(CopyWorkingCopyFile(makeRecipeDatabase("STEP_1.STP"), path, WorkingCopyWrite::Replace));
    const QByteArray copied = bytesOf(path);
    const qsizetype handlesBefore = QSqlDatabase::connectionNames().size();
    CDaoDatabase db;
    db.Open(path, DatabaseRole::WorkingCopy);
    MarkStepConnectionIdle(db);
    EXPECT_EQ(QSqlDatabase::connectionNames().size(), handlesBefore) << "no handle before the first statement";
    const quint64 number = ChangeNumber(path);

    EXPECT_EQ(queryValue(db, "SELECT count(*) FROM TextRecipe"), 4);
    EXPECT_EQ(QSqlDatabase::connectionNames().size(), handlesBefore + 1);
    ReleaseIdleStepMemory(&db);
    EXPECT_EQ(QSqlDatabase::connectionNames().size(), handlesBefore) << "only read: closed";
    EXPECT_EQ(bytesOf(path), copied);
    for (const QString& side : DatabaseSideFiles(path))
        EXPECT_FALSE(QFileInfo::exists(side)) << side.toStdString();
    EXPECT_EQ(ChangeNumber(path), number);
    EXPECT_EQ(cacheSize(db), 16) << "opened again, still idle";

    QSqlQuery running = db.Query(QStringLiteral("SELECT Label FROM TextRecipe"));
    ASSERT_TRUE(running.next());
    ReleaseIdleStepMemory(&db);
    EXPECT_TRUE(running.next()) << "a running statement keeps the handle";
    running = QSqlQuery();

    db.Execute("UPDATE TextRecipe SET Label = 'Edited' WHERE ID = 1");
    ReleaseIdleStepMemory(&db);
    EXPECT_EQ(QSqlDatabase::connectionNames().size(), handlesBefore + 1) << "written: kept";
    EXPECT_GT(ChangeNumber(path), number);
    EXPECT_EQ(queryValue(db, "SELECT Label FROM TextRecipe WHERE ID = 1"), "Edited");
}

} // namespace
