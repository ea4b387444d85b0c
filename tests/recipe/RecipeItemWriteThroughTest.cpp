#include "RecipeTextFixture.h"

#include "foundation/common/concerns/AppContext.h"
#include "foundation/db/connection/DaoDatabase.h"
#include "recipe/edit/RecipeItemWriteThrough.h"

#include <QSqlQuery>

#include <algorithm>
#include <functional>

namespace {
constexpr long UNREGISTERED_STEP = 1003;
constexpr long NO_ID = 999999;

struct WriteThroughCase {
    const char* name;
    // Runs the write-through on the step for the item (or the id given).
    std::function<WriteThroughResult(RecipeTextFixture&, long stepID, long itemID)> run;
    const char* itemSql;                  // the item written to in the Coupling step
    const char* notOpenMessage = nullptr; // shown when the step's table cannot be opened
};

QString printable(WriteThroughResult result)
{
    return QString::number(int(result));
}
} // namespace

class RecipeItemWriteThroughTest : public RecipeTextFixture {
protected:
    void SetUp() override { Open(CProjectGenerator::DemoProject(), {UNREGISTERED_STEP}); }
    long FirstID(const char* sql) { return long(StepValue(COUPLING_STEP, sql).toLongLong()); }
    long FirstOperation() { return RecipeIDs(COUPLING_STEP, "Operation").first(); }
    long FirstUnitProcedure() { return RecipeIDs(COUPLING_STEP, "Unit Procedure").first(); }
};

class WriteThroughAnswerTest : public RecipeItemWriteThroughTest,
                               public ::testing::WithParamInterface<WriteThroughCase> {};

// A written row, a row that is not there and a step whose table cannot be opened answer apart.
TEST_P(WriteThroughAnswerTest, SuccessNoRowAndNoTableAnswerDistinctly)
{
    const WriteThroughCase& write = GetParam();
    const long itemID = FirstID(write.itemSql);
    EXPECT_EQ(printable(write.run(*this, COUPLING_STEP, itemID)), printable(WriteThroughResult::Written));
    services.clearCalls();
    const QList<bool> modified = app.modifiedHistory();
    EXPECT_EQ(printable(write.run(*this, COUPLING_STEP, NO_ID)), printable(WriteThroughResult::NoRow));
    if (write.notOpenMessage)
        prompts.expect(IDOK);
    EXPECT_EQ(printable(write.run(*this, UNREGISTERED_STEP, itemID)), printable(WriteThroughResult::NoTable));
    EXPECT_EQ(prompts.texts(), write.notOpenMessage ? QStringList{write.notOpenMessage} : QStringList());
    EXPECT_TRUE(services.calls().isEmpty()) << services.calls().join(", ").toStdString();
    EXPECT_EQ(app.modifiedHistory(), modified);
}

INSTANTIATE_TEST_SUITE_P(
    EveryWriteThrough, WriteThroughAnswerTest,
    ::testing::Values(
        WriteThroughCase{"Field",
                         [](RecipeTextFixture&, long step, long id) {
                             return UpdateOperationFieldData(step, id, 12.5, -1, "kg", "");
                         },
                         "SELECT MIN(FieldID) FROM TblFieldData"},
        WriteThroughCase{"Range",
                         [](RecipeTextFixture&, long step, long id) {
                             return UpdateOperationRangeData(step, id, 1.0, -1, "", 2.0, 3, "");
                         },
                         "SELECT MIN(RangeID) FROM TblRangeData"},
        WriteThroughCase{"UnitProcedure",
                         [](RecipeTextFixture&, long step, long id) {
                             return UpdateUnitProcedureData(step, id, "", 7, "");
                         },
                         "SELECT MIN(UnitProcedureID) FROM UnitProcedure WHERE UnitProcedureName <> 'START'",
                         "Can't open Unit Procedure Table!"},
        WriteThroughCase{"OperationModel",
                         [](RecipeTextFixture&, long step, long id) { return UpdateOperationModel(step, id, 42); },
                         "SELECT MIN(OperationID) FROM Operation WHERE QuorvantaLabel <> 'START'",
                         "Can't open Operation Table!"},
        WriteThroughCase{"Hidden",
                         [](RecipeTextFixture&, long step, long id) {
                             return SetRecipeItemHidden(step, id, "Operation", true);
                         },
                         "SELECT MIN(ID) FROM TextRecipe WHERE Type = 'Operation'", "Can't open TextRecipe Table!"}),
    [](const ::testing::TestParamInfo<WriteThroughCase>& info) { return std::string(info.param.name); });

// Only values that are not markers reach the row; even an all-marker write regenerates the step's
// text and reloads its views.
TEST_F(RecipeItemWriteThroughTest, FieldsAndRangesWriteAllButMarkersThenRegenerateAndReload)
{
    const long field = FirstID("SELECT MIN(FieldID) FROM TblFieldData");
    const auto fieldRow = [&] {
        return StepValue(COUPLING_STEP,
                         "SELECT DoubleValue || '|' || IFNULL(LongValue, '') || '|' || IFNULL(UOM, '') || '|' || "
                         "IFNULL(StringValue, '') FROM TblFieldData WHERE FieldID = ?",
                         {qlonglong(field)})
            .toString();
    };
    const QString before = fieldRow();
    const QStringList regenerated = QStringList{"ResetStepWiseCache"} + ProcessedOperations(COUPLING_STEP) +
                                    QStringList{"ReloadRecipeViews 1001"};
    ASSERT_EQ(UpdateOperationFieldData(COUPLING_STEP, field, 1e35, -1, "", ""), WriteThroughResult::Written);
    EXPECT_EQ(fieldRow(), before);
    EXPECT_EQ(services.calls(), regenerated);
    ASSERT_EQ(UpdateOperationFieldData(COUPLING_STEP, field, 3.5, 8, "g", "Batch A"), WriteThroughResult::Written);
    EXPECT_EQ(fieldRow(), "3.5|8|g|Batch A");

    const long range = FirstID("SELECT MIN(RangeID) FROM TblRangeData");
    const auto rangeRow = [&] {
        return StepValue(COUPLING_STEP,
                         "SELECT Low || '|' || LowWidth || '|' || IFNULL(LowUOM, '') || '|' || High || '|' || "
                         "HighWidth || '|' || IFNULL(HighUOM, '') FROM TblRangeData WHERE RangeID = ?",
                         {qlonglong(range)})
            .toString();
    };
    const QStringList parts = rangeRow().split('|');
    ASSERT_EQ(UpdateOperationRangeData(COUPLING_STEP, range, 1e35, 2, "", 99.0, -1, "K"), WriteThroughResult::Written);
    EXPECT_EQ(rangeRow(), QStringList({parts[0], "2", parts[2], "99.0", parts[4], "K"}).join('|'));
    EXPECT_EQ(app.modifiedHistory(), (QList<bool>{true, true, true}));
}

// A new name reaches the recipe row the Process Explorer shows, which is rebuilt with the views;
// comments alone rebuild nothing.
TEST_F(RecipeItemWriteThroughTest, ARenamedUnitProcedureRefreshesTheExplorerAndTheViews)
{
    const long id = FirstUnitProcedure();
    ASSERT_EQ(UpdateUnitProcedureData(COUPLING_STEP, id, "Renamed", -1, ""), WriteThroughResult::Written);
    EXPECT_EQ(services.calls(), (QStringList{"RefreshKeepSelection", "ReloadRecipeViews 1001"}));
    EXPECT_EQ(StepValue(COUPLING_STEP, "SELECT UnitProcedureName FROM UnitProcedure WHERE UnitProcedureID = ?",
                        {qlonglong(id)}),
              "Renamed");
    EXPECT_EQ(StepValue(COUPLING_STEP, "SELECT UnitProcedureName FROM TextRecipe WHERE ID = ? AND Type = "
                                       "'Unit Procedure'",
                        {qlonglong(id)}),
              "Renamed");
    services.clearCalls();
    ASSERT_EQ(UpdateUnitProcedureData(COUPLING_STEP, id, "", 5, "Check the seals."), WriteThroughResult::Written);
    QStringList named{"ResetStepWiseCache"}; // the new vessel is named at once by the unit procedure's texts
    QSqlQuery operations =
        GetStepDatabase(COUPLING_STEP)
            ->Query("SELECT OperationID FROM Operation WHERE UnitProcedureID = ? ORDER BY OperationID",
                    {qlonglong(id)});
    while (operations.next())
        named << QString("ProcessOperation 1001 %1").arg(operations.value(0).toLongLong());
    QStringList calls = services.calls();
    ASSERT_FALSE(calls.isEmpty());
    std::sort(calls.begin() + 1, calls.end());
    EXPECT_EQ(calls, named);
    EXPECT_EQ(StepValue(COUPLING_STEP, "SELECT UnitProcedureName || '|' || PrimaryEquipmentID || '|' || "
                                       "UserComments FROM UnitProcedure WHERE UnitProcedureID = ?",
                        {qlonglong(id)}),
              "Renamed|5|Check the seals.");
    EXPECT_EQ(app.modifiedHistory(), (QList<bool>{true, true}));
}

TEST_F(RecipeItemWriteThroughTest, AnEqualOrMarkerModelIsUnchangedAndWritesNothing)
{
    const long id = FirstOperation();
    ASSERT_EQ(UpdateOperationModel(COUPLING_STEP, id, 3), WriteThroughResult::Written);
    EXPECT_EQ(UpdateOperationModel(COUPLING_STEP, id, 3), WriteThroughResult::Unchanged);
    EXPECT_EQ(UpdateOperationModel(COUPLING_STEP, id, -1), WriteThroughResult::Unchanged);
    EXPECT_EQ(StepValue(COUPLING_STEP, "SELECT ModelTypeID FROM Operation WHERE OperationID = ?", {qlonglong(id)}),
              3);
    EXPECT_EQ(app.modifiedHistory(), QList<bool>{true});
}

// Hiding a unit procedure hides its operations and no other; showing it shows them again.
TEST_F(RecipeItemWriteThroughTest, HidingAUnitProcedureHidesItsOperations)
{
    const long id = FirstUnitProcedure();
    const QVariantList ids{qlonglong(id), qlonglong(id)};
    const QString ownRows = "(Type = 'Unit Procedure' AND ID = ?) OR (Type = 'Operation' AND ID IN "
                            "(SELECT OperationID FROM Operation WHERE UnitProcedureID = ?))";
    ASSERT_GT(StepValue(COUPLING_STEP, "SELECT COUNT(*) FROM TextRecipe WHERE " + ownRows, ids).toInt(), 1);
    ASSERT_EQ(SetRecipeItemHidden(COUPLING_STEP, id, "Unit Procedure", true), WriteThroughResult::Written);
    EXPECT_EQ(StepValue(COUPLING_STEP, "SELECT COUNT(*) FROM TextRecipe WHERE Hide = 0 AND (" + ownRows + ")", ids), 0);
    EXPECT_EQ(StepValue(COUPLING_STEP, "SELECT COUNT(*) FROM TextRecipe WHERE Hide <> 0 AND NOT (" + ownRows + ")", ids),
              0);
    EXPECT_EQ(services.calls(), QStringList{"ReloadRecipeViews 1001"});
    ASSERT_EQ(SetRecipeItemHidden(COUPLING_STEP, id, "Unit Procedure", false), WriteThroughResult::Written);
    EXPECT_EQ(StepValue(COUPLING_STEP, "SELECT COUNT(*) FROM TextRecipe WHERE Hide <> 0"), 0);
}
