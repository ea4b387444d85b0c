#include "RecipeInsertFixture.h"

#include "foundation/common/CommandIds.h"
#include "foundation/db/connection/DaoDatabase.h"
#include "modules/opdialog/OPDialog.h"

#include <QCoreApplication>

namespace {
QString LabelsOfRows(const QStringList& rows)
{
    QStringList labels;
    for (const QString& row : rows)
        labels << (row.startsWith('|') ? row.section('|', 1, 1) + row.section('|', 2, 2)
                                       : row.section('|', 0, 0));
    return labels.join(' ');
}

struct UnitProcedureCase {
    const char* name;
    const char* selected;
    bool after;
    int newIndex;
    const char* labels; // keyword rows as Type + ID
};

const UnitProcedureCase UNIT_PROCEDURE_INSERTS[] = {
    {"AfterUnitProcedure1TakesItsOperations", "Reaction in R-101", true, 1,
     "1. 2. 2.1. 2.2. 2.3. Start Parallel6 Series7 2.4. Series9 2.5. End Parallel11 2.6. 2.7. 3. 3.1. 3.2. "
     "3.3."},
    {"BeforeUnitProcedure2TakesItsNumber", "Work-up in R-102", false, 12,
     "1. 1.1. 1.2. 1.3. Start Parallel5 Series6 1.4. Series8 1.5. End Parallel10 1.6. 1.7. 2. 3. 3.1. 3.2. "
     "3.3."},
    {"BeforeAnOperationTakesTheRestOfItsUnitProcedure", "Distill", false, 14,
     "1. 1.1. 1.2. 1.3. Start Parallel5 Series6 1.4. Series8 1.5. End Parallel10 1.6. 1.7. 2. 2.1. 3. 3.1. "
     "3.2."},
    {"BeforeAKeywordFollowsTheUnitProcedureAbove", "Start Parallel", false, 4,
     "1. 1.1. 1.2. 1.3. 2. Start Parallel6 Series7 2.1. Series9 2.2. End Parallel11 2.3. 2.4. 3. 3.1. 3.2. "
     "3.3."},
};

class UnitProcedureInsertTest : public RecipeInsertFixture,
                                public ::testing::WithParamInterface<UnitProcedureCase> {};
} // namespace

TEST_P(UnitProcedureInsertTest, NewUnitProcedureRenumbersTheRecipeAfterIt)
{
    const UnitProcedureCase& c = GetParam();
    CQUORVANTAView& view = OpenCoupling(QString::fromLatin1(c.selected));
    SetInsertAfter(c.after);
    dialogs.answer("Filtration", "Use the new filter.");
    view.OnCommand(ID_INSERT_UNIT_PROCEDURE);
    EXPECT_EQ(LabelsOfRows(Rows(COUPLING_STEP)), QString::fromLatin1(c.labels));
    EXPECT_EQ(Rows(COUPLING_STEP), Lines(view));
    ASSERT_EQ(view.GetFirstSelectedIndex(), c.newIndex);
    EXPECT_EQ(std::pair(view.Line(c.newIndex)->text(), view.Line(c.newIndex)->line().commentText),
              std::pair(QString("Filtration"), QString("Use the new filter.")));
    const long id = view.Line(c.newIndex)->GetButtonID();
    EXPECT_EQ(StepLong(COUPLING_STEP,
                       QStringLiteral("SELECT COUNT(*) FROM UnitProcedure WHERE UnitProcedureID = %1 AND "
                                      "UnitProcedureName = 'Filtration'")
                           .arg(id)),
              1);
    const long next = c.newIndex + 1 < view.LineCount() ? view.Line(c.newIndex + 1)->GetButtonID() : -1;
    if (view.Line(c.newIndex + 1)->GetItemType() == RECIPE_LINE_OPERATION) {
        EXPECT_EQ(
            StepLong(
                COUPLING_STEP,
                QStringLiteral("SELECT UnitProcedureID FROM Operation WHERE OperationID = %1").arg(next)),
            id)
            << "the operations that now follow it belong to it";
    }
    EXPECT_EQ(automation.calls, QStringList("build"));
}

INSTANTIATE_TEST_SUITE_P(Coupling, UnitProcedureInsertTest, ::testing::ValuesIn(UNIT_PROCEDURE_INSERTS),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(RecipeInsertFixture, UnitProcedureAfterTheLastOneGetsOperationsNumberedFromOne)
{
    CQUORVANTAView& view = OpenCoupling("Age R-102");
    dialogs.answer("Drying");
    view.OnCommand(ID_INSERT_UNIT_PROCEDURE);
    EXPECT_EQ(dialogs.asked, QStringList("unit procedure Unit Procedure 3"));
    dialogs.answer("Heat");
    view.OnCommand(32917);
    EXPECT_EQ(Texts(view).mid(16), QStringList({"3.|Drying", "3.1.|Heat ..."}));
}

TEST_F(RecipeInsertFixture, ReinsertedHiddenUnitProcedureHidesTheLinesThatNowFollowIt)
{
    CQUORVANTAView& view = OpenCoupling();
    const long id = view.Line(12)->GetButtonID(); // Work-up in R-102
    EditStep(COUPLING_STEP,
             QStringLiteral("DELETE FROM TextRecipe WHERE Type = 'Unit Procedure' AND ID = %1").arg(id));
    EditStep(COUPLING_STEP, "UPDATE TextRecipe SET RecipeSequenceNumber = RecipeSequenceNumber - 1 WHERE "
                            "RecipeSequenceNumber > 13");
    view.RebuildRecipe();
    view.SelectItem(IndexOf(view, "Transfer 100 kg to R-102"));
    view.InsertUnitProcedure(2, id, "Work-up in R-102", true, false);
    EXPECT_TRUE(dialogs.asked.isEmpty());
    EXPECT_EQ(automation.calls, QStringList()) << "only a new unit procedure rebuilds the model";
    EXPECT_EQ(StepLong(COUPLING_STEP, "SELECT SUM(Hide) FROM TextRecipe"), 4);
    EXPECT_TRUE(view.Line(15)->line().hidden);
    EXPECT_FALSE(view.Line(11)->line().hidden);
}

TEST_F(RecipeInsertFixture, EmptyStepOpenedFromTheExplorerGetsUnitProcedure1)
{
    OpenDemo();
    EditStep(COUPLING_STEP, "DELETE FROM TextRecipe");
    dialogs.answer("Charging");
    auto* view = new CQUORVANTAView;
    view->identity().stepID = COUPLING_STEP;
    view->identity().openedFromExplorer = true;
    view->resize(640, 400);
    host.views.insert(COUPLING_STEP, view);
    view->LoadRecipeLines();
    EXPECT_EQ(Texts(*view), QStringList("1.|Charging"));
    EXPECT_EQ(Rows(COUPLING_STEP), QStringList("1.|Unit Procedure|"));
    EXPECT_EQ(view->GetFirstSelectedIndex(), 0);
}

TEST_F(RecipeInsertFixture, ParallelBlocksTakeConsecutiveNumbersAndALoneSeriesNone)
{
    CQUORVANTAView& view = OpenCoupling("Transfer 100 kg to R-102");
    view.OnCommand(ID_INSERT_PARALLEL);
    EXPECT_EQ(view.GetFirstSelectedIndex(), 12);
    view.SelectItem(view.LineCount() - 1);
    view.OnCommand(ID_INSERT_SERIES);
    view.OnCommand(ID_INSERT_OR);
    EXPECT_EQ(
        LabelsOfRows(Rows(COUPLING_STEP)),
        "1. 1.1. 1.2. 1.3. Start Parallel5 Series6 1.4. Series8 1.5. End Parallel10 1.6. 1.7. Start "
        "Parallel13 "
        "Series14 Series15 End Parallel16 2. 2.1. 2.2. 2.3. Series21 Start Or22 Series23 Series24 End Or25");
    EXPECT_EQ(Rows(COUPLING_STEP), Lines(view));
    const long blocks =
        StepLong(COUPLING_STEP, "SELECT (SELECT OPNumber FROM TextRecipe WHERE ID = 13) * 100 + "
                                "(SELECT OPNumber FROM TextRecipe WHERE ID = 21) * 10 + "
                                "(SELECT OPNumber FROM TextRecipe WHERE ID = 25)");
    EXPECT_EQ(blocks, 233) << "blocks 2 and 3; the lone Series carries the next number";
    EXPECT_EQ(StepLong(COUPLING_STEP,
                       "SELECT group_concat(Indent, '') FROM (SELECT Indent FROM TextRecipe WHERE "
                       "RecipeSequenceNumber BETWEEN 13 AND 16 ORDER BY RecipeSequenceNumber)"),
              2332);
    EXPECT_EQ(view.nextBlockNumber(), 4);
    EXPECT_EQ(automation.calls, QStringList({"refresh 1001", "refresh 1001", "refresh 1001"}));
}

TEST_F(RecipeInsertFixture, KeywordBlockUnderAHiddenUnitProcedureIsHiddenAndMayPrecedeTheFirst)
{
    OpenDemo();
    EditStep(COUPLING_STEP, "UPDATE TextRecipe SET Hide = 1 WHERE Type = 'Unit Procedure' AND UPNumber = 2");
    CQUORVANTAView& view = OpenView(COUPLING_STEP);
    view.SelectItem(IndexOf(view, "Work-up"));
    view.OnCommand(ID_INSERT_PARALLEL);
    EXPECT_EQ(StepLong(COUPLING_STEP,
                       "SELECT SUM(Hide) FROM TextRecipe WHERE RecipeSequenceNumber BETWEEN 14 AND 17"),
              4);
    view.SelectItem(0);
    view.InsertKeywordBlock(1, "Series", RECIPE_LINE_SERIES, -1, 0);
    EXPECT_TRUE(prompts.texts().isEmpty());
    EXPECT_EQ(Rows(COUPLING_STEP).first(), "|Series|1");
    EXPECT_EQ(Rows(COUPLING_STEP), Lines(view));
}

TEST_F(RecipeInsertFixture, InsertsSurviveClosingAndReopeningTheStepFile)
{
    CQUORVANTAView& view = OpenCoupling("Transfer 100 kg to R-102");
    dialogs.answer("Heat");
    view.OnCommand(32917);
    view.OnCommand(ID_INSERT_PARALLEL);
    const QStringList shown = Texts(view);
    const QString path = GetStepDBPath(COUPLING_STEP);
    CloseView(COUPLING_STEP);
    app.stepDatabases().clear();
    auto database = std::make_unique<CDaoDatabase>();
    database->Open(path, DatabaseRole::ReadWrite);
    app.stepDatabases().add(COUPLING_STEP, std::move(database), path);
    EXPECT_EQ(Texts(OpenView(COUPLING_STEP)), shown);
}

TEST_F(RecipeInsertFixture, OrdinalsWriteInTransactionsOfTheirOwn)
{
    OpenDemo();
    const long operations = StepLong(COUPLING_STEP, "SELECT COUNT(*) FROM Operation");
    long id = -1;
    QString name;
    dialogs.cancel();
    EXPECT_FALSE(CreateOperation(GetProjectFilePath(), COUPLING_STEP, 1, 26, &id));
    dialogs.answer("Warm up");
    ASSERT_TRUE(CreateOperation(GetProjectFilePath(), COUPLING_STEP, 1, 26, &id));
    EXPECT_EQ(
        StepLong(COUPLING_STEP, QStringLiteral("SELECT COUNT(*) FROM Operation WHERE OperationID = %1 AND "
                                               "QuorvantaLabel = 'Warm up' AND OperationTypeID = 26")
                                    .arg(id)),
        1);
    EXPECT_EQ(StepLong(COUPLING_STEP, "SELECT COUNT(*) FROM Operation"), operations + 1);
    EXPECT_GT(StepLong(COUPLING_STEP,
                       QStringLiteral("SELECT COUNT(*) FROM TblFieldData f JOIN TblGroupData g USING "
                                      "(GroupID) WHERE g.OperationID = %1")
                           .arg(id)),
              0);
    dialogs.answer("Filtration");
    ASSERT_TRUE(CreateUnitProcedure(GetQuorvantaTempDir(), GetProjectFilePath(), COUPLING_STEP, -1, &id,
                                    &name, false));
    EXPECT_EQ(name, "Filtration");
    dialogs.edits.push_back(std::nullopt); // an existing id opens its form: cancelled, nothing written
    EXPECT_FALSE(CreateUnitProcedure(GetQuorvantaTempDir(), GetProjectFilePath(), COUPLING_STEP, id, &id,
                                     &name, false));
    EXPECT_FALSE(GetStepDatabase(COUPLING_STEP)->InTransaction());
}

// Every line in sight stands where the layout puts it, after an insert above it and after scrolls;
// the lines out of sight follow when a scroll brings them in.
TEST_F(RecipeInsertFixture, LinesInSightStandWhereTheLayoutPutsThemAfterAnInsert)
{
    CQUORVANTAView& view = OpenCoupling("Reaction in R-101");
    view.resize(640, 120);
    QCoreApplication::processEvents();
    const auto misplaced = [&view] {
        QStringList wrong;
        const QRect client = view.viewport()->rect();
        for (int index = 0; index < view.LineCount(); ++index) {
            const CRecipeButton* line = view.Line(index);
            const QRect placed(line->m_x - view.horzPos(), line->m_top + view.scrollOffsetY(), line->m_width,
                               line->m_height);
            const bool seen = line->isVisible() && line->geometry().intersects(client);
            if ((placed.intersects(client) || seen) && (line->geometry() != placed || !line->isVisible()))
                wrong << line->text();
        }
        return wrong;
    };
    SetInsertAfter(false);
    dialogs.answer("Filtration");
    view.OnCommand(ID_INSERT_UNIT_PROCEDURE);
    EXPECT_EQ(misplaced(), QStringList());
    for (const ScrollCode code :
         {ScrollCode::PageDown, ScrollCode::PageDown, ScrollCode::Bottom, ScrollCode::Top}) {
        view.OnVScroll(code);
        EXPECT_EQ(misplaced(), QStringList()) << int(code);
    }
}
