#include "RecipeTextFixture.h"

#include "foundation/common/ServiceSlot.h"
#include "foundation/db/DaoDatabase.h"
#include "modules/sharedclasses/QVGlobalParams.h"
#include "modules/sharedclasses/SharedClassesHandover.h"
#include "recipe/AutomationRefresh.h"

namespace {
class RecordingModel : public AutomationModel {
public:
    bool AutomationModelExists() const override { return exists; }
    void RefreshAutomationUnitProcedure(long processID, long stepID, long unitProcedureID,
                                        const AutomationUnitProcedureData& data) override
    {
        calls << QString("up %1 %2 %3 %4|%5|%6")
                     .arg(processID)
                     .arg(stepID)
                     .arg(unitProcedureID)
                     .arg(data.name, data.comments)
                     .arg(data.primaryEquipmentID);
    }
    void RefreshAutomationOperation(long processID, long stepID, long unitProcedureID, long operationID,
                                    const AutomationOperationData& data) override
    {
        calls << QString("op %1 %2 %3 %4 %5").arg(processID).arg(stepID).arg(unitProcedureID).arg(operationID).arg(data.label);
        operation = data;
    }

    bool exists = true;
    QStringList calls;
    AutomationOperationData operation;
};
} // namespace

class AutomationRefreshTest : public RecipeTextFixture {
protected:
    AutomationRefreshTest() { installed.Install<AutomationModel>(&model); }

    RecordingModel model;
    ServiceInstallations installed;
};

// -1 resolves to the step's first process; a step of no process and a missing tree refresh nothing.
TEST_F(AutomationRefreshTest, ObjectsAreRefreshedOnlyWithATreeAndAProcess)
{
    OpenDemo();
    EXPECT_EQ(FindProcessOfStep(1004), 2);
    EXPECT_EQ(FindProcessOfStep(1001), 1);
    const long up = RecipeIDs(COUPLING_STEP, "Unit Procedure").first();
    EditStep(COUPLING_STEP, "UPDATE UnitProcedure SET PrimaryEquipmentID = NULL, UserComments = 'Dry first.' "
                            "WHERE UnitProcedureID = ?", {qlonglong(up)});
    const QString name = StepValue(COUPLING_STEP, "SELECT UnitProcedureName FROM UnitProcedure WHERE "
                                                  "UnitProcedureID = ?", {qlonglong(up)}).toString();
    RefreshAutomationUnitProcedure(-1, COUPLING_STEP, up);
    RefreshAutomationUnitProcedure(2, COUPLING_STEP, up);
    EXPECT_EQ(model.calls, (QStringList{QString("up 1 1001 %1 %2|Dry first.|-1").arg(up).arg(name),
                                        QString("up 2 1001 %1 %2|Dry first.|-1").arg(up).arg(name)}));
    model.calls.clear();
    app.fileSet().projectDatabase->Execute("DELETE FROM \"Step-To-Process\" WHERE StepID = 1002");
    EXPECT_EQ(FindProcessOfStep(1002), -1);
    RefreshAutomationUnitProcedure(-1, 1002, RecipeIDs(1002, "Unit Procedure").first());
    RefreshAutomationOperation(-1, 1002, -1, RecipeIDs(1002, "Operation").first());
    model.exists = false;
    RefreshAutomationUnitProcedure(1, COUPLING_STEP, up);
    RefreshAutomationOperation(1, COUPLING_STEP, up, RecipeIDs(COUPLING_STEP, "Operation").first());
    EXPECT_TRUE(model.calls.isEmpty()) << model.calls.join(", ").toStdString();
}

// The operation's texts and every group, field and range stored for it.
TEST_F(AutomationRefreshTest, AnOperationIsRebuiltWithItsGroupsFieldsAndRanges)
{
    OpenDemo();
    const long op = long(StepValue(COUPLING_STEP, "SELECT g.OperationID FROM TblRangeData r JOIN TblGroupData g "
                                                  "ON g.GroupID = r.GroupID ORDER BY r.RangeID LIMIT 1").toLongLong());
    EditStep(COUPLING_STEP, "UPDATE Operation SET RecipeText = 'Text', UserComments = 'Note', RangeText = 'R' "
                            "WHERE OperationID = ?", {qlonglong(op)});
    RefreshAutomationOperation(-1, COUPLING_STEP, 7, op);
    ASSERT_EQ(model.calls.size(), 1);
    EXPECT_TRUE(model.calls.first().startsWith(QString("op 1 1001 7 %1 ").arg(op)));
    const AutomationOperationData& data = model.operation;
    EXPECT_EQ(QStringList({data.recipeText, data.comments, data.rangeText}), QStringList({"Text", "Note", "R"}));
    int fields = 0, ranges = 0;
    for (const AutomationGroupData& group : data.groups) {
        fields += int(group.fields.size());
        ranges += int(group.ranges.size());
    }
    const QVariantList id{qlonglong(op)};
    EXPECT_EQ(data.groups.size(), StepValue(COUPLING_STEP, "SELECT COUNT(*) FROM TblGroupData WHERE OperationID = ?", id));
    EXPECT_EQ(fields, StepValue(COUPLING_STEP, "SELECT COUNT(*) FROM TblFieldData f JOIN TblGroupData g ON "
                                               "g.GroupID = f.GroupID WHERE g.OperationID = ?", id));
    EXPECT_EQ(ranges, StepValue(COUPLING_STEP, "SELECT COUNT(*) FROM TblRangeData r JOIN TblGroupData g ON "
                                               "g.GroupID = r.GroupID WHERE g.OperationID = ?", id));
    EXPECT_GT(ranges, 0);
}

// The editors' step and operation do not outlive the project: the close's shared-singleton stage
// destroys them.
TEST(SharedClassesHandoverTest, TheProjectCloseStageDropsTheEditedOperation)
{
    CQVGlobalParams::Instance()->SetParentStepID(1001);
    CQVGlobalParams::Instance()->SetEditedOpID(10004);
    {
        CSharedClassesHandover handover;
        RunProjectHandover(&ProjectHandover::CloseDocuments);
        EXPECT_EQ(CQVGlobalParams::Instance()->GetEditedOpID(), 10004);
        RunProjectHandover(&ProjectHandover::DestroySharedSingletons);
        EXPECT_EQ(CQVGlobalParams::Instance()->GetParentStepID(), -1);
        EXPECT_EQ(CQVGlobalParams::Instance()->GetEditedOpID(), -1);
        CQVGlobalParams::Instance()->SetEditedOpID(5);
    }
    RunProjectHandover(&ProjectHandover::DestroySharedSingletons);
    EXPECT_EQ(CQVGlobalParams::Instance()->GetEditedOpID(), 5) << "a destroyed participant takes no part";
    CQVGlobalParams::Destroy();
}
