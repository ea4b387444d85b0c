// The remark marks of an open recipe follow the runs of its step in the running program: a run's
// remarks mark their lines at once, a later clean run takes them away, and a reset reads them again
// through the user's message filter, all without reopening the window.

#include "RecipeShellFixture.h"

#include "foundation/common/concerns/SubsystemConcerns.h"
#include "recipe/lines/RecipeLineRecord.h"

namespace {

// Hides the remarks of one message id, as the user's message filter does.
struct HidingFilter : MessageVisibility {
    bool isMessageVisible(long messageID) const override { return messageID != hidden; }
    long hidden = 0;
};

constexpr long NO_EQUIPMENT_REMARK = 1001;

} // namespace

class RecipeRunMarksShellTest : public RecipeShellFixture {
protected:
    // Labels of the operation lines that carry a remark mark.
    static QStringList MarkedLines(const CQUORVANTAView& view)
    {
        QStringList marked;
        for (int index = 0; index < view.LineCount(); ++index) {
            const RecipeLineRecord& line = view.Line(index)->line();
            if (line.kind == RECIPE_LINE_OPERATION && line.severity >= 0)
                marked << line.label;
        }
        return marked;
    }
    // The first unit procedure of Coupling loses (or gets back) its vessel.
    static void SetFirstVessel(const QVariant& equipmentID)
    {
        GetStepDatabase(SHELL_COUPLING_STEP)
            ->Execute(
                "UPDATE UnitProcedure SET PrimaryEquipmentID = ? WHERE UnitProcedureID = "
                "(SELECT ID FROM TextRecipe WHERE Type = 'Unit Procedure' ORDER BY RecipeSequenceNumber "
                "LIMIT 1)",
                {equipmentID});
    }
    static QVariant FirstVessel()
    {
        QSqlQuery row =
            GetStepDatabase(SHELL_COUPLING_STEP)
                ->Query("SELECT PrimaryEquipmentID FROM UnitProcedure WHERE UnitProcedureID = (SELECT ID "
                        "FROM TextRecipe WHERE Type = 'Unit Procedure' ORDER BY RecipeSequenceNumber "
                        "LIMIT 1)");
        return row.next() ? row.value(0) : QVariant();
    }
};

TEST_F(RecipeRunMarksShellTest, RunsAndResetsRereadTheMarksOfTheOpenRecipe)
{
    CQUORVANTAView* view = OpenCouplingFromTheExplorer();
    ASSERT_NE(view, nullptr);
    frame->AutomationSimulateStep(SHELL_COUPLING_STEP, QString());
    ASSERT_TRUE(MarkedLines(*view).isEmpty()); // the sample runs clean

    const QVariant vessel = FirstVessel();
    SetFirstVessel(QVariant());
    frame->AutomationSimulateStep(SHELL_COUPLING_STEP, QString());
    const QStringList marked = MarkedLines(*view);
    EXPECT_EQ(marked, (QStringList{"1.1.", "1.2.", "1.3.", "1.4.", "1.5.", "1.6.", "1.7."}));

    HidingFilter filter;
    filter.hidden = NO_EQUIPMENT_REMARK;
    ServiceInstallations installed;
    installed.Install<MessageVisibility>(&filter);
    frame->ResetSimulation(SHELL_COUPLING_STEP, QStringLiteral("SimulateOnly"));
    EXPECT_TRUE(MarkedLines(*view).isEmpty());
    filter.hidden = 0;
    frame->ResetSimulation(SHELL_COUPLING_STEP, QString());
    EXPECT_EQ(MarkedLines(*view), marked);

    SetFirstVessel(vessel);
    frame->AutomationSimulateStep(SHELL_COUPLING_STEP, QString());
    EXPECT_TRUE(MarkedLines(*view).isEmpty());
    EXPECT_EQ(view, frame->FindDocument(DocumentKind::ProjectRecipe, SHELL_COUPLING_STEP)); // the same window
}
