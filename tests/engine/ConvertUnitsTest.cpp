#include "ScalingFixture.h"

#include "foundation/common/concerns/AppContext.h"
#include "foundation/db/connection/DaoException.h"
#include "foundation/db/connection/DaoTransaction.h"
#include "modules/convertunits/ConvertUnitsEntry.h"
#include "modules/sharedclasses/SharedPrevScaleInvariantOperation.h"
#include "modules/sharedclasses/SharedScaleInvariantOperation.h"

#include <QSqlQuery>

namespace {

constexpr long ENGLISH = 2;

QString FieldUnit(long operationID, OperationField field)
{
    QSqlQuery row = GetStepDatabase(STEP)->Query(
        "SELECT f.UOM FROM TblFieldData f JOIN TblGroupData g ON g.GroupID = f.GroupID "
        "WHERE g.OperationID = ? AND f.FieldTypeID = ?",
        {qlonglong(operationID), qlonglong(field)});
    return row.next() ? row.value(0).toString() : QString();
}

} // namespace

class ConvertUnitsTest : public ScalingFixture {
protected:
    void SetUp() override
    {
        OpenScalingStep(false);
        // A temperature beside the first charge's amount, and a field in a unit the table does not know.
        Edit("INSERT INTO TblFieldData (GroupID, FieldTypeID, DoubleValue, UOM) SELECT GroupID, 100004, 25, 'C' "
             "FROM TblGroupData WHERE OperationID = ?", {qlonglong(Line(2))});
        Edit("UPDATE TblFieldData SET UOM = 'stone' WHERE FieldTypeID = 100003 AND GroupID IN "
             "(SELECT GroupID FROM TblGroupData WHERE OperationID = ?)", {qlonglong(Line(3))});
    }
};

TEST_F(ConvertUnitsTest, SiValuesGoIntoTheEnglishUnits)
{
    ConvertUnitsEntry().convertUnits(STEP, ENGLISH);
    EXPECT_NEAR(Stored(2, OperationField::Amount), 220.46226, 1e-4);
    EXPECT_EQ(FieldUnit(Line(2), OperationField::Amount), "lb");
    EXPECT_NEAR(Stored(2, OperationField::Temperature), 77, 1e-9);
    EXPECT_EQ(FieldUnit(Line(2), OperationField::Temperature), "F");
    EXPECT_NEAR(Stored(2, OperationField::Volume), 26.4172, 1e-3);
    EXPECT_NEAR(Range(2).first, 198.416, 1e-3);
    // An unknown unit stays as it is.
    EXPECT_DOUBLE_EQ(Stored(3, OperationField::Volume), 50);
    EXPECT_EQ(FieldUnit(Line(3), OperationField::Volume), "stone");
}

TEST_F(ConvertUnitsTest, AFailureInTheCallersTransactionLeavesEverything)
{
    FailStepUpdates();
    CDaoDatabase& step = *GetStepDatabase(STEP);
    EXPECT_THROW(
        {
            CDaoTransaction transaction(step);
            ConvertUnitsEntry().convertUnits(STEP, ENGLISH);
            step.Execute("UPDATE Step SET InputUOMSetID = ?", {qlonglong(ENGLISH)});
            transaction.Commit();
        },
        CDaoException);
    EXPECT_DOUBLE_EQ(Stored(2, OperationField::Amount), 100);
    EXPECT_EQ(FieldUnit(Line(2), OperationField::Amount), "kg");
}

TEST_F(ConvertUnitsTest, ScaleInvariantSetsAreReplacedWholeAndRefuseUnequalLists)
{
    Array<long> ids{Line(3), Line(2)};
    ASSERT_TRUE(CSharedScaleInvariantOperation::updateScaleInvariantOperationSet(STEP, ids, {"b", "a"}));
    ASSERT_TRUE(CSharedPrevScaleInvariantOperation::updatePrevScaleInvariantOperationSet(STEP, ids, {"b", "a"}));
    Array<long> read;
    ASSERT_TRUE(CSharedScaleInvariantOperation::getScaleInvariantOperationSet(STEP, read));
    EXPECT_EQ(read, ids);
    EXPECT_FALSE(CSharedScaleInvariantOperation::updateScaleInvariantOperationSet(STEP, {Line(5)}, {}));
    ASSERT_TRUE(CSharedScaleInvariantOperation::getScaleInvariantOperationSet(STEP, read));
    EXPECT_EQ(read, ids);
    ASSERT_TRUE(CSharedScaleInvariantOperation::updateScaleInvariantOperationSet(STEP, {}, {}));
    ASSERT_TRUE(CSharedScaleInvariantOperation::getScaleInvariantOperationSet(STEP, read));
    EXPECT_TRUE(read.IsEmpty());
    EXPECT_FALSE(CSharedScaleInvariantOperation::getScaleInvariantOperationSet(4711, read));
}
