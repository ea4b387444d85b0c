// The page cache of step connections: small while no view or edit uses them, the engine's full one
// while one does, and the cached pages and kept statements handed back after a pass over idle ones.

#include "DbFixture.h"

#include "foundation/db/BulkRows.h"
#include "foundation/db/StepConnectionUse.h"

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

} // namespace
