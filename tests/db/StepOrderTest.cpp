// A step's place in its process and the ids of new processes and steps, on project databases built
// from the schema.

#include "DbFixture.h"

#include "foundation/db/recordsets/NewItemID.h"
#include "foundation/db/schema/SchemaBuilder.h"
#include "foundation/db/recordsets/StepOrder.h"
#include "foundation/db/connection/DaoTransaction.h"

#include <QSet>

namespace {
class StepOrderFixture : public DbFixture {
protected:
    void SetUp() override
    {
        m_path = pathOf("Project.prj");
        ASSERT_TRUE(CSchemaBuilder::Build(DatabaseKind::Project, m_path));
        m_db.Open(m_path);
        // Process 7: START (order 0), then 11, 12, 13; process 8: 11 and 14.
        m_db.Execute("INSERT INTO \"Step-To-Process\" (StepID, ProcessID, StepOrder) VALUES (1, 7, 0), (11, 7, 1), "
                     "(12, 7, 2), (13, 7, 3), (11, 8, 1), (14, 8, 2)");
    }
    QString rows(long processID)
    {
        QSqlQuery query = m_db.Query("SELECT StepID, StepOrder FROM \"Step-To-Process\" WHERE ProcessID = ? "
                                     "ORDER BY StepOrder, StepID",
                                     {qlonglong(processID)});
        QStringList text;
        while (query.next())
            text << query.value(0).toString() + ":" + query.value(1).toString();
        return text.join(' ');
    }

    QString m_path;
    CDaoDatabase m_db;
};
} // namespace

TEST_F(StepOrderFixture, PlacementsMoveOnlyTheStepsAtOrAboveTheNewOrder)
{
    struct Case {
        int placement;
        long anchor;
        const char* rows;
        long order;
    } cases[] = {
        {PLACE_FIRST, -1, "1:0 20:1 11:2 12:3 13:4", 1},
        {PLACE_LAST, -1, "1:0 11:1 12:2 13:3 20:4", 4},
        {PLACE_BEFORE, 12, "1:0 11:1 20:2 12:3 13:4", 2},
        {PLACE_AFTER, 12, "1:0 11:1 12:2 20:3 13:4", 3},
        {PLACE_AFTER, 13, "1:0 11:1 12:2 13:3 20:4", 4},
        {PLACE_BEFORE, 14, "1:0 11:1 12:2 13:3 20:4", 4}, // anchor of another process
        {PLACE_BEFORE, 1, "1:0 11:1 12:2 13:3 20:4", 4},  // START is no anchor
        {9, -1, "1:0 11:1 12:2 13:3 20:4", 4},            // unknown placement
    };
    for (const Case& c : cases) {
        CDaoTransaction transaction(m_db);
        EXPECT_EQ(InsertStepOrder(m_db, 7, 20, c.placement, c.anchor), c.order) << c.placement << " " << c.anchor;
        EXPECT_EQ(rows(7).toStdString(), c.rows) << c.placement << " " << c.anchor;
        EXPECT_EQ(rows(8).toStdString(), "11:1 14:2");
    }
}

TEST_F(StepOrderFixture, AnExistingRowIsMovedAndAnEmptyProcessStartsAtOne)
{
    EXPECT_EQ(InsertStepOrder(m_db, 7, 13, PLACE_FIRST, -1), 1);
    EXPECT_EQ(rows(7).toStdString(), "1:0 13:1 11:2 12:3");
    EXPECT_EQ(InsertStepOrder(m_db, 9, 12, PLACE_AFTER, 99), 1);
    EXPECT_EQ(rows(9).toStdString(), "12:1");
}

TEST_F(StepOrderFixture, NewIDsLieAboveEveryIDTheProjectHasUsed)
{
    const QString projectDir = pathOf("project/"), workingDir = pathOf("wc/");
    QDir().mkpath(projectDir);
    QDir().mkpath(workingDir);
    const NewIDSources sources{projectDir, workingDir, {40}};
    EXPECT_EQ(AllocateProjectID(m_db, ProjectCounter::Step, sources), 41) << "a registered database";
    EXPECT_EQ(AllocateProjectID(m_db, ProjectCounter::Process, sources), 9) << "the step-to-process rows";
    struct File {
        QString path;
        ProjectCounter counter;
        long expected;
    } files[] = {
        {projectDir + "qvstep_50.mdb", ProjectCounter::Step, 51},
        {workingDir + "STEP_60.WC-wal", ProjectCounter::Step, 61},
        {projectDir + "STEP_70.STP", ProjectCounter::Step, 71},
        {workingDir + "QVPROC_30.mdb", ProjectCounter::Process, 9}, // results live in the project folder only
        {projectDir + "QVPROC_30.mdb", ProjectCounter::Process, 31},
        {projectDir + "QVSTEP_x.mdb", ProjectCounter::Step, 71},
    };
    for (const File& file : files) {
        QFile(file.path).open(QIODevice::WriteOnly);
        EXPECT_EQ(AllocateProjectID(m_db, file.counter, sources), file.expected) << file.path.toStdString();
    }
    StoreProjectCounter(m_db, ProjectCounter::Step, 90);
    StoreProjectCounter(m_db, ProjectCounter::Step, 80);
    EXPECT_EQ(AllocateProjectID(m_db, ProjectCounter::Step, sources), 91) << "the counter never goes down";
}

TEST_F(StepOrderFixture, BeyondTheLargestIDOneIsDrawnThatNothingUses)
{
    StoreProjectCounter(m_db, ProjectCounter::Process, 2147483647);
    for (int i = 0; i < 20; ++i) {
        const long id = AllocateProjectID(m_db, ProjectCounter::Process, {});
        EXPECT_GT(id, 0);
        EXPECT_LE(id, 2147483647);
        EXPECT_NE(id, 7);
        EXPECT_NE(id, 8);
    }
}

// A block of ids is what allocating them one by one, each stored before the next, would give;
// past the largest id each is drawn apart from the others.
TEST_F(StepOrderFixture, IDsAllocatedTogetherAreThoseAllocatedOneByOne)
{
    const NewIDSources sources{{}, {}, {40}};
    EXPECT_EQ(AllocateProjectIDs(m_db, ProjectCounter::Step, sources, 3), (QList<long>{41, 42, 43}));
    StoreProjectCounter(m_db, ProjectCounter::Step, 2147483646);
    const QList<long> drawn = AllocateProjectIDs(m_db, ProjectCounter::Step, sources, 6);
    ASSERT_EQ(drawn.size(), 6);
    EXPECT_EQ(drawn.first(), 2147483647) << "the last id in range is still taken in order";
    const QSet<long> distinct(drawn.cbegin(), drawn.cend());
    EXPECT_EQ(distinct.size(), 6);
    const QSet<long> used{1, 11, 12, 13, 14, 40};
    for (long id : drawn.mid(1))
        EXPECT_TRUE(id > 0 && id < 2147483647 && !used.contains(id)) << id;
}
