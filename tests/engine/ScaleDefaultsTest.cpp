// Scaling a step whose operations run on their types' defaults: the defaults become scaled field
// rows of the operation, it is listed as scaled, and the undo deletes the rows again.

#include "ScalingFixture.h"

#include "foundation/common/concerns/AppContext.h"
#include "foundation/db/connection/DaoDatabase.h"

#include <QSqlQuery>

namespace {

// "type=value uom" per field row of the operation, in row order.
QStringList FieldRows(long operationID)
{
    QStringList rows;
    QSqlQuery query =
        GetStepDatabase(STEP)->Query("SELECT f.FieldTypeID, f.DoubleValue, f.UOM FROM TblFieldData f JOIN "
                                     "TblGroupData g ON g.GroupID = f.GroupID"
                                     " WHERE g.OperationID = ? ORDER BY f.FieldID",
                                     {qlonglong(operationID)});
    while (query.next())
        rows << QStringLiteral("%1=%2 %3")
                    .arg(query.value(0).toString(), QString::number(query.value(1).toDouble()),
                         query.value(2).toString());
    return rows;
}

int GroupCount(long operationID)
{
    QSqlQuery query = GetStepDatabase(STEP)->Query("SELECT count(*) FROM TblGroupData WHERE OperationID = ?",
                                                   {qlonglong(operationID)});
    return query.next() ? query.value(0).toInt() : -1;
}

} // namespace

class ScaleDefaultsTest : public ScalingFixture {
protected:
    void SetUp() override
    {
        OpenScalingStep();
        ASSERT_FALSE(HasFatalFailure());
        // The tank's charge keeps only its duration; the reactor's second charge has no group at all.
        Edit("DELETE FROM TblFieldData WHERE FieldTypeID IN (100002, 100003) AND GroupID IN "
             "(SELECT GroupID FROM TblGroupData WHERE OperationID = ?)",
             {qlonglong(Line(5))});
        Edit("DELETE FROM TblFieldData WHERE GroupID IN (SELECT GroupID FROM TblGroupData WHERE OperationID "
             "= ?)",
             {qlonglong(Line(3))});
        Edit("DELETE FROM TblRangeData WHERE GroupID IN (SELECT GroupID FROM TblGroupData WHERE OperationID "
             "= ?)",
             {qlonglong(Line(3))});
        Edit("DELETE FROM TblGroupData WHERE OperationID = ?", {qlonglong(Line(3))});
        tankRows = FieldRows(Line(5));
    }
    void Scale(EngineEntry& engine, double factor)
    {
        ASSERT_EQ(engine.scaleUpToNTimesCurrentBatchSize(&status, STEP, factor), 1);
        ASSERT_EQ(engine.writeScaleUpResults(&status, STEP), 1);
    }

    QStringList tankRows;
};

TEST_F(ScaleDefaultsTest, DefaultsAreWrittenScaledListedAndUndone)
{
    EngineEntry engine;
    Scale(engine, 2);
    EXPECT_EQ(engine.getScaledOperations(STEP), (Array<long>{Line(2), Line(3), Line(5)}));
    // The charge's defaults (100 kg, 100 liter) twice over, in the group it had or a new one.
    EXPECT_EQ(FieldRows(Line(5)), tankRows + QStringList({"100002=200 kg", "100003=200 liter"}));
    EXPECT_EQ(FieldRows(Line(3)), QStringList({"100002=200 kg", "100003=200 liter"}));
    EXPECT_EQ(GroupCount(Line(3)), 1);
    // A second scaling multiplies the rows the first one wrote and writes none.
    EngineEntry again;
    Scale(again, 1.5);
    EXPECT_EQ(FieldRows(Line(3)), QStringList({"100002=300 kg", "100003=300 liter"}));

    EngineEntry undo;
    ASSERT_EQ(undo.undoPrevScaling(&status, STEP), 1);
    ASSERT_EQ(undo.writeScaleUpResults(&status, STEP), 1);
    EXPECT_EQ(FieldRows(Line(3)), QStringList({"100002=200 kg", "100003=200 liter"}));
    ASSERT_EQ(undo.undoPrevScaling(&status, STEP), 1);
    ASSERT_EQ(undo.writeScaleUpResults(&status, STEP), 1);
    EXPECT_EQ(FieldRows(Line(5)), tankRows);
    EXPECT_EQ(FieldRows(Line(3)), QStringList());
    EXPECT_EQ(GroupCount(Line(3)), 0);
}

TEST_F(ScaleDefaultsTest, AScaleInvariantOperationGetsNoRows)
{
    Edit("INSERT INTO ScaleInvariantOperation (Position, OperationID, Text) VALUES (1, ?, 'x')",
         {qlonglong(Line(3))});
    EngineEntry engine;
    Scale(engine, 2);
    EXPECT_EQ(engine.getScaledOperations(STEP), (Array<long>{Line(2), Line(5)}));
    EXPECT_EQ(FieldRows(Line(3)), QStringList());
    EXPECT_EQ(GroupCount(Line(3)), 0);
}
