#include "RecipeTextFixture.h"

#include "foundation/common/ServiceSlot.h"
#include "foundation/common/concerns/DisplayOptions.h"
#include "foundation/db/connection/DaoDatabase.h"
#include "modules/sharedclasses/QVGlobalParams.h"
#include "modules/sharedclasses/SharedClassesHandover.h"
#include "recipe/edit/AutomationRefresh.h"
#include "recipe/lines/RecipeLineRecord.h"
#include "recipe/lines/RecipeLineTexts.h"

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

struct ChosenCommentTypes : DisplayOptionsService {
    const DisplayOptions& GetDisplayOptions() const override { return options; }
    DisplayOptions options;
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

// A unit procedure's comment is the one its recipe line shows: its own comment, then its comments
// of the comment types chosen for viewing; a type not chosen stays out.
TEST_F(AutomationRefreshTest, AUnitProceduresCommentIsTheOneItsRecipeLineShows)
{
    OpenDemo();
    ChosenCommentTypes types;
    types.options.commentTypeIDs = {2, 1};
    types.options.commentTypeDescriptions = {"Safety", "General"};
    installed.Install<DisplayOptionsService>(&types);
    const long up = RecipeIDs(COUPLING_STEP, "Unit Procedure").first();
    EditStep(COUPLING_STEP, "UPDATE UnitProcedure SET UserComments = 'Dry first.' WHERE UnitProcedureID = ?",
             {qlonglong(up)});
    EditStep(COUPLING_STEP, "INSERT INTO TblCommentData (OperationID, CommentTypeID, CommentText) VALUES "
                            "(?, 1, 'Keep the lid closed.'), (?, 2, 'Gloves.'), (?, 9, 'Not chosen.')",
             {qlonglong(up), qlonglong(up), qlonglong(up)});
    RefreshAutomationUnitProcedure(-1, COUPLING_STEP, up);
    ASSERT_EQ(model.calls.size(), 1);
    RecipeLineRecord line;
    ASSERT_TRUE(ReadRecipeLineTexts(COUPLING_STEP, up, RECIPE_LINE_UNIT_PROCEDURE, line));
    EXPECT_EQ(line.commentText, "Dry first.\nSafety: Gloves.\nGeneral: Keep the lid closed.");
    EXPECT_EQ(model.calls.first().section('|', 1, -2), line.commentText) << model.calls.first().toStdString();
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
