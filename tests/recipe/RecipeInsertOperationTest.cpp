#include "RecipeInsertFixture.h"

#include "foundation/common/CommandIds.h"
#include "foundation/common/OperationCommands.h"
#include "foundation/db/connection/DaoDatabase.h"

namespace {
constexpr long HEAT = 26;

// Labels of the lines, keyword lines as "K", joined by blanks.
QString LabelsOf(const QStringList& lines)
{
    QStringList labels;
    for (const QString& line : lines)
        labels << (line.startsWith('|') ? QStringLiteral("K") : line.section('|', 0, 0));
    return labels.join(' ');
}

const char* const COUPLING_LABELS = "1. 1.1. 1.2. 1.3. K K 1.4. K 1.5. K 1.6. 1.7. 2. 2.1. 2.2. 2.3.";

struct OperationInsertCase {
    const char* name;
    const char* selected; // start of the selected line's text
    bool after;
    int newIndex;
    const char* labels; // every line afterwards
    const char* owner;  // the unit procedure the new operation belongs to
};

const OperationInsertCase OPERATION_INSERTS[] = {
    {"BeforeOperation2_3RenumbersToTheEndOfItsUnitProcedureOnly", "Age R-102", false, 15,
     "1. 1.1. 1.2. 1.3. K K 1.4. K 1.5. K 1.6. 1.7. 2. 2.1. 2.2. 2.3. 2.4.", "Work-up in R-102"},
    {"BeforeOperation1_6KeepsUnitProcedure2", "React 165 kg", false, 10,
     "1. 1.1. 1.2. 1.3. K K 1.4. K 1.5. K 1.6. 1.7. 1.8. 2. 2.1. 2.2. 2.3.", "Reaction in R-101"},
    {"AfterUnitProcedureIsItsFirstOperation", "Work-up in R-102", true, 13,
     "1. 1.1. 1.2. 1.3. K K 1.4. K 1.5. K 1.6. 1.7. 2. 2.1. 2.2. 2.3. 2.4.", "Work-up in R-102"},
    {"BeforeUnitProcedure2JoinsUnitProcedure1", "Work-up in R-102", false, 12,
     "1. 1.1. 1.2. 1.3. K K 1.4. K 1.5. K 1.6. 1.7. 1.8. 2. 2.1. 2.2. 2.3.", "Reaction in R-101"},
    {"AfterASeriesLineFollowingOperation1_3", "Series", true, 6,
     "1. 1.1. 1.2. 1.3. K K 1.4. 1.5. K 1.6. K 1.7. 1.8. 2. 2.1. 2.2. 2.3.", "Reaction in R-101"},
    {"AfterTheLastLineAppends", "Age R-102", true, 16,
     "1. 1.1. 1.2. 1.3. K K 1.4. K 1.5. K 1.6. 1.7. 2. 2.1. 2.2. 2.3. 2.4.", "Work-up in R-102"},
};

class OperationInsertTest : public RecipeInsertFixture,
                            public ::testing::WithParamInterface<OperationInsertCase> {};
} // namespace

TEST_P(OperationInsertTest, NewOperationTakesItsNumberAndTheRowsAreRenumberedInTheDatabase)
{
    const OperationInsertCase& c = GetParam();
    CQUORVANTAView& view = OpenCoupling(QString::fromLatin1(c.selected));
    SetInsertAfter(c.after);
    const long groupsBefore = StepLong(COUPLING_STEP, "SELECT COUNT(*) FROM TblGroupData");
    dialogs.answer("Heat");
    view.OnCommand(FindOperationCommandForType(HEAT)->id);

    EXPECT_EQ(dialogs.asked, QStringList("operation Heat under " + QString::fromLatin1(c.owner)));
    EXPECT_EQ(LabelsOf(Lines(view)), QString::fromLatin1(c.labels));
    EXPECT_EQ(Rows(COUPLING_STEP), Lines(view)) << "the rows say what the lines show";
    ASSERT_EQ(view.GetFirstSelectedIndex(), c.newIndex);
    const RecipeLineRecord& line = view.Line(c.newIndex)->line();
    EXPECT_EQ(std::tuple(line.displayText, line.operationLabel, line.operationTypeID),
              std::tuple(QString("Heat ..."), QString("Heat"), HEAT));
    EXPECT_EQ(StepLong(COUPLING_STEP,
                       QStringLiteral("SELECT u.UnitProcedureName = '%1' FROM Operation o JOIN "
                                      "UnitProcedure u USING (UnitProcedureID) WHERE o.OperationID = %2")
                           .arg(c.owner)
                           .arg(line.itemID)),
              1);
    EXPECT_EQ(StepLong(COUPLING_STEP, "SELECT COUNT(*) FROM TblGroupData"), groupsBefore + 1)
        << "the operation has its default parameters";
    EXPECT_EQ(automation.calls, QStringList("refresh 1001"));
    EXPECT_EQ(app.modifiedHistory(), QList<bool>{true});
}

INSTANTIATE_TEST_SUITE_P(Coupling, OperationInsertTest, ::testing::ValuesIn(OPERATION_INSERTS),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(RecipeInsertFixture, InsertedOperationIsReloadedAsItWasShown)
{
    CQUORVANTAView& view = OpenCoupling("Age R-102");
    dialogs.answer("Heat");
    view.OnCommand(FindOperationCommandForType(HEAT)->id);
    const QStringList shown = Texts(view);
    view.RebuildRecipe();
    EXPECT_EQ(Texts(view), shown);
    EXPECT_TRUE(host.calls.contains(QStringLiteral("sync 1001 %1 2 1").arg(view.Line(16)->GetButtonID())))
        << host.calls.join('\n').toStdString();
}

TEST_F(RecipeInsertFixture, NewOperationUnderAHiddenUnitProcedureIsHidden)
{
    OpenDemo();
    EditStep(COUPLING_STEP, "UPDATE TextRecipe SET Hide = 1 WHERE Type = 'Unit Procedure' AND UPNumber = 2");
    CQUORVANTAView& view = OpenView(COUPLING_STEP);
    view.SelectItem(IndexOf(view, "Distill"));
    dialogs.answer("Heat");
    view.OnCommand(FindOperationCommandForType(HEAT)->id);
    EXPECT_TRUE(view.Line(15)->line().hidden);
    EXPECT_EQ(
        StepLong(COUPLING_STEP, "SELECT Hide FROM TextRecipe WHERE Label = '2.3.' AND Type = 'Operation'"),
        1);
    EXPECT_EQ(StepLong(COUPLING_STEP, "SELECT Hide FROM TextRecipe WHERE Label = '2.4.'"), 0)
        << "the operations already there keep their flag";
}

TEST_F(RecipeInsertFixture, CancelledDialogWritesNothing)
{
    CQUORVANTAView& view = OpenCoupling("Age R-102");
    const long operations = StepLong(COUPLING_STEP, "SELECT COUNT(*) FROM Operation");
    dialogs.cancel();
    view.OnCommand(FindOperationCommandForType(HEAT)->id);
    EXPECT_EQ(StepLong(COUPLING_STEP, "SELECT COUNT(*) FROM Operation"), operations);
    EXPECT_EQ(LabelsOf(Rows(COUPLING_STEP)), COUPLING_LABELS);
    EXPECT_TRUE(app.modifiedHistory().isEmpty());
}

TEST_F(RecipeInsertFixture, NoUnitProcedureAboveShowsTheMessageAndAsksNothing)
{
    CQUORVANTAView& view = OpenCoupling();
    prompts.expect(IDOK);
    view.InsertOperation(1, HEAT, -1, QString(), QString(), -1, false);
    EXPECT_EQ(prompts.texts(), QStringList("Can't insert an Operation before the first Unit Procedure! "
                                           "Please insert an Unit Procedure first."));
    EXPECT_EQ(LabelsOf(Rows(COUPLING_STEP)), COUPLING_LABELS);
}

TEST_F(RecipeInsertFixture, TypeMissingFromTheLibraryCreatesNothing)
{
    CQUORVANTAView& view = OpenCoupling("Age R-102");
    const long operations = StepLong(COUPLING_STEP, "SELECT COUNT(*) FROM Operation");
    view.InsertOperation(2, 150, -1, QString(), QString(), -1, false);
    EXPECT_TRUE(dialogs.asked.isEmpty());
    EXPECT_EQ(StepLong(COUPLING_STEP, "SELECT COUNT(*) FROM Operation"), operations);
}

TEST_F(RecipeInsertFixture, FailedWriteRollsBackAndTheViewShowsTheDatabaseAgain)
{
    CQUORVANTAView& view = OpenCoupling("Age R-102");
    EditStep(COUPLING_STEP,
             "CREATE TRIGGER refuse BEFORE INSERT ON TextRecipe BEGIN SELECT RAISE(ABORT, 'disk "
             "full'); END");
    const long operations = StepLong(COUPLING_STEP, "SELECT COUNT(*) FROM Operation");
    const long fields = StepLong(COUPLING_STEP, "SELECT COUNT(*) FROM TblFieldData");
    dialogs.answer("Heat");
    prompts.expect(IDOK);
    view.OnCommand(FindOperationCommandForType(HEAT)->id);
    EXPECT_TRUE(prompts.lastText().contains("disk full")) << prompts.lastText().toStdString();
    EXPECT_EQ(StepLong(COUPLING_STEP, "SELECT COUNT(*) FROM Operation"), operations) << "no orphan operation";
    EXPECT_EQ(StepLong(COUPLING_STEP, "SELECT COUNT(*) FROM TblFieldData"), fields);
    EXPECT_EQ(LabelsOf(Rows(COUPLING_STEP)), COUPLING_LABELS);
    EXPECT_EQ(Lines(view), Rows(COUPLING_STEP));
    EXPECT_TRUE(app.modifiedHistory().isEmpty());
}

TEST_F(RecipeInsertFixture, ExistingOperationIsReinsertedWithItsHideAndBreakpoint)
{
    CQUORVANTAView& view = OpenCoupling("Age R-102");
    const long operationID = view.Line(13)->GetButtonID(); // Transfer, 2.1.
    EditStep(COUPLING_STEP,
             QStringLiteral("DELETE FROM TextRecipe WHERE Type = 'Operation' AND ID = %1").arg(operationID));
    EditStep(COUPLING_STEP, "UPDATE TextRecipe SET RecipeSequenceNumber = RecipeSequenceNumber - 1 WHERE "
                            "RecipeSequenceNumber > 14");
    // The rows after it renumbered as every removal leaves them.
    EditStep(COUPLING_STEP,
             "UPDATE TextRecipe SET OPNumber = OPNumber - 1, Label = '2.' || (OPNumber - 1) || "
             "'.' WHERE Type = 'Operation' AND UPNumber = 2");
    view.RebuildRecipe();
    view.SelectItem(IndexOf(view, "Transfer 100 kg to R-102"));
    view.InsertOperation(2, 7, operationID, "Transfer it.", "Transfer", -1, true, true);
    EXPECT_TRUE(dialogs.asked.isEmpty());
    const RecipeLineRecord& line = view.Line(12)->line();
    EXPECT_EQ(std::tuple(line.label, line.displayText, line.hidden, line.breakpoint),
              std::tuple(QString("1.8."), QString("Transfer it."), true, true));
    EXPECT_EQ(StepLong(COUPLING_STEP,
                       QStringLiteral("SELECT Hide + 2 * Breakpoint FROM TextRecipe WHERE ID = %1 AND "
                                      "Type = 'Operation'")
                           .arg(operationID)),
              3);
    EXPECT_EQ(LabelsOf(Rows(COUPLING_STEP)),
              "1. 1.1. 1.2. 1.3. K K 1.4. K 1.5. K 1.6. 1.7. 1.8. 2. 2.1. 2.2.");
}
