#include "RecipeEditFixture.h"

#include "foundation/common/CommandIds.h"
#include "foundation/common/MessageBox.h"
#include "foundation/common/concerns/ProcessOperationService.h"
#include "foundation/db/connection/DaoDatabase.h"
#include "modules/opdialog/ConstraintDialogs.h"
#include "recipe/view/RecipeClipboard.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QSqlQuery>

namespace {
long CouplingLong(const QString& sql)
{
    QSqlQuery query = GetStepDatabase(COUPLING_STEP)->Query(sql);
    return query.next() ? long(query.value(0).toLongLong()) : -1;
}

long OperationOwner(long operationID)
{
    return CouplingLong(QStringLiteral("SELECT UnitProcedureID FROM Operation WHERE OperationID = %1")
                                            .arg(operationID));
}

// Chooses every candidate with a 5 min delay, or cancels; records the candidates offered.
struct ScriptedConstraintDialogs : ConstraintDialogService {
    std::optional<QList<ConstraintChoice>> AskConstraints(const QString& title, const QList<ConstraintChoice>& candidates,
                                                          const QList<ConstraintChoice>&, const QStringList& units) override
    {
        offered << title + ": " + QString::number(candidates.size()) + " " + units.join(',');
        if (cancel)
            return std::nullopt;
        QList<ConstraintChoice> chosen = candidates;
        for (ConstraintChoice& choice : chosen)
            std::tie(choice.delay, choice.delayUOM) = std::pair(5.0, QStringLiteral("min"));
        return chosen;
    }
    bool cancel = false;
    QStringList offered;
};
} // namespace


TEST_F(RecipeEditFixture, MovesKeepTheLineAndFollowItsNewPlace)
{
    CQUORVANTAView& view = OpenCoupling("Cool");
    const long cool = view.GetSelectedItemID();
    const long reaction = view.Line(0)->GetButtonID();
    ASSERT_TRUE(view.MoveUp()); // the first operation of unit procedure 2 ends unit procedure 1
    EXPECT_EQ(view.Line(12)->line().label, "1.8.");
    EXPECT_TRUE(view.Line(12)->IsSelected());
    EXPECT_EQ(OperationOwner(cool), reaction);
    ExpectMatchesFreshLoad(view);
    ASSERT_TRUE(view.MoveDown()); // and back
    EXPECT_EQ(view.Line(13)->line().label, "2.1.");
    EXPECT_TRUE(view.Line(13)->IsSelected());
    ExpectMatchesFreshLoad(view);
    view.SelectItem(12); // unit procedure 2 above the last operation of 1 takes it along
    ASSERT_TRUE(view.MoveUp());
    EXPECT_EQ(view.Line(12)->line().label, "2.1.");
    EXPECT_EQ(view.Line(12)->text().left(4), "Tran");
    ExpectMatchesFreshLoad(view);
    EXPECT_TRUE(automation.calls.contains("refresh 1001"));
}

namespace {
// Records the operations whose texts are regenerated and hands them on.
struct RecordedRegeneration : ProcessOperationService {
    RecordedRegeneration() : next(SetProcessOperationService(this)) {}
    ~RecordedRegeneration() override { SetProcessOperationService(next); }
    bool ProcessOperation(long stepID, long operationID) override
    {
        regenerated.insert(operationID);
        return next && next->ProcessOperation(stepID, operationID);
    }
    ProcessOperationService* next;
    QSet<long> regenerated;
};

// Each operation's unit procedure and that one's successor, counted from the top; labels checked.
QHash<long, std::pair<long, long>> CountedPlaces(const CQUORVANTAView& view)
{
    QHash<long, std::pair<long, long>> places;
    QList<long> operations;
    long owner = -1, unit = 0;
    for (int index = 0; index <= view.LineCount(); ++index) {
        const RecipeLineRecord* line = index < view.LineCount() ? &view.Line(index)->line() : nullptr;
        if (!line || line->kind == RECIPE_LINE_UNIT_PROCEDURE) {
            const long next = line ? line->itemID : 0;
            for (int n = 0; n < operations.size(); ++n)
                places.insert(operations.at(n), {owner, next});
            operations.clear();
            owner = next;
            EXPECT_TRUE(!line || line->label == QStringLiteral("%1.").arg(++unit));
        } else if (line->kind == RECIPE_LINE_OPERATION) {
            operations << line->itemID;
            EXPECT_EQ(line->label, QStringLiteral("%1.%2.").arg(unit).arg(operations.size()));
        }
    }
    return places;
}
} // namespace

// A move renumbers, writes, regenerates and lays out only what it changes: the labels and stored
// owners are what counting from the top gives, the texts regenerated those of the operations under another
// unit procedure or one with another successor, and the lines stand where a full layout puts them, in sight
// or out of it. A new unit procedure Filtration stands between the two: Work-up goes over it (unit procedure
// 1 gets another successor) and back; Filtration goes up through unit procedure 1, taking its lines, over it
// and back.
TEST_F(RecipeEditFixture, AMoveEndsAsAFullRenumberingRegenerationAndLayout)
{
    struct Case {
        const char* line;
        bool down;
        int times;
    };
    const Case cases[] = {
        {"Work-up", false, 1},     {"Work-up", true, 1},       {"Cool", false, 1},
        {"Cool", true, 1},         {"End Parallel", false, 1}, {"Charge 800", true, 1},
        {"Filtration", false, 12}, {"Filtration", true, 12},
    };
    CQUORVANTAView& view = OpenCoupling("Work-up");
    SetInsertAfter(false);
    dialogs.answer("Filtration");
    view.OnCommand(ID_INSERT_UNIT_PROCEDURE);
    ASSERT_EQ(view.Line(12)->text(), "Filtration");
    view.resize(330, 140);
    QCoreApplication::processEvents();
    view.OnVScroll(ScrollCode::Thumb, view.Line(10)->m_top);
    const auto layout = [&view] {
        QStringList lines;
        for (int index = 0; index < view.LineCount(); ++index) {
            const CRecipeButton* line = view.Line(index);
            const QRect shown = line->isVisible() ? line->geometry() : QRect();
            lines << QStringLiteral("%1 %2 %3 %4,%5")
                         .arg(line->text().left(12))
                         .arg(line->m_top)
                         .arg(line->m_height)
                         .arg(shown.y())
                         .arg(shown.height());
        }
        return lines << QString::number(view.vertPos());
    };
    for (const Case& c : cases) {
        for (int n = 0; n < c.times; ++n) {
            view.SelectItem(IndexOf(view, c.line));
            const QHash<long, std::pair<long, long>> before = CountedPlaces(view);
            RecordedRegeneration regeneration;
            ASSERT_TRUE(c.down ? view.MoveDown() : view.MoveUp()) << c.line << n;
            EXPECT_TRUE(view.GetFirstSelectedLine()->text().startsWith(QLatin1String(c.line)))
                << "stays selected";
            QSet<long> stale;
            for (const auto& [operation, place] : CountedPlaces(view).asKeyValueRange()) {
                EXPECT_EQ(OperationOwner(operation), place.first) << c.line << n;
                if (before.value(operation) != place)
                    stale.insert(operation);
            }
            EXPECT_EQ(regeneration.regenerated, stale) << c.line << n;
            const QStringList moved = layout();
            view.RecalcLayout();
            EXPECT_EQ(moved, layout()) << c.line << n;
            ExpectMatchesFreshLoad(view);
        }
    }
}

TEST_F(RecipeEditFixture, MoveCommandsAreEnabledWhereAMovePlacesTheLine)
{
    CQUORVANTAView& view = OpenCoupling("Purge");
    EXPECT_FALSE(view.IsCommandEnabled(ID_MOVE_UP)) << "no unit procedure above the first one";
    view.SelectItem(0);
    EXPECT_FALSE(view.IsCommandEnabled(ID_MOVE_DOWN)) << "unit procedure 1 followed by an operation";
    view.SelectItem(view.LineCount() - 1);
    EXPECT_FALSE(view.IsCommandEnabled(ID_MOVE_DOWN));
    EXPECT_TRUE(view.IsCommandEnabled(ID_MOVE_UP));
    EXPECT_FALSE(view.MoveDown());
}

TEST_F(RecipeEditFixture, AMoveAgainstAStartAfterConstraintAsksAndRemovesIt)
{
    CQUORVANTAView& view = OpenCoupling("Charge 186");
    const long aniline = view.GetSelectedItemID();
    const long toluene = view.Line(2)->GetButtonID();
    EditStep(COUPLING_STEP, QStringLiteral("INSERT INTO OperationConditionalLogicParameter (CurrentOperationID,"
                                           " ConditionalLogic, OperationParameterID) VALUES (%1, 'Starts-After', %2)")
                                .arg(aniline)
                                .arg(toluene));
    const QString question = "The following Start-After constraints specified are no longer valid and will be "
                             "removed. Do you wish to continue?\nStart-After Constrain for operation 1.2.\n";
    prompts.expect(IDNO);
    EXPECT_FALSE(view.MoveUp());
    EXPECT_EQ(prompts.lastText(), question);
    EXPECT_EQ(view.Line(3)->GetButtonID(), aniline);
    EXPECT_TRUE(view.invalidConstraints().isEmpty()) << "the lists empty when the command ends";
    prompts.expect(IDYES);
    ASSERT_TRUE(view.MoveUp());
    EXPECT_EQ(view.Line(2)->GetButtonID(), aniline);
    EXPECT_EQ(Count("SELECT COUNT(*) FROM OperationConditionalLogicParameter"), 0);
    ExpectMatchesFreshLoad(view);
    EXPECT_TRUE(view.keptConstraints().isEmpty());
}

TEST_F(RecipeEditFixture, RewiringFollowsARowAnEarlierRewireChanged)
{
    CQUORVANTAView& view = OpenCoupling("Charge 186");
    const long a = view.Line(3)->GetButtonID(), b = view.Line(2)->GetButtonID();
    EditStep(COUPLING_STEP, QStringLiteral("INSERT INTO OperationConditionalLogicParameter (CurrentOperationID,"
                                           " ConditionalLogic, OperationParameterID) VALUES (%1, 'Starts-After', %2)")
                                .arg(a)
                                .arg(b));
    QList<StartAfterLink> links;
    view.CollectStartAfterLinks(a, 10, RECIPE_LINE_OPERATION, links); // both lines move, b above a
    view.CollectStartAfterLinks(b, 1, RECIPE_LINE_OPERATION, links);
    view.CheckStartAfterConstraints(links, false);
    ASSERT_EQ(view.keptConstraints().size(), 2);
    ASSERT_TRUE(view.RewireConstraints(COUPLING_STEP, a, 9001));
    ASSERT_TRUE(view.RewireConstraints(COUPLING_STEP, b, 9002));
    EXPECT_EQ(Count("SELECT COUNT(*) FROM OperationConditionalLogicParameter WHERE CurrentOperationID = 9001"
                    " AND OperationParameterID = 9002"),
              1);
}

TEST_F(RecipeEditFixture, HidingAUnitProcedureHidesAndShowsAllItsLines)
{
    CQUORVANTAView& view = OpenCoupling("Heat");
    view.ToggleHide(); // one operation hidden by itself first
    EXPECT_TRUE(view.IsCommandChecked(ID_TOGGLE_HIDE));
    view.SelectItem(0);
    view.ToggleHide();
    for (int index = 0; index < 12; ++index)
        EXPECT_TRUE(view.Line(index)->line().hidden) << index;
    EXPECT_FALSE(view.Line(12)->line().hidden);
    ExpectMatchesFreshLoad(view);
    EXPECT_EQ(engine.calls, (QStringList{QStringLiteral("modified 1001 %1 1").arg(view.Line(6)->GetButtonID()),
                                         QStringLiteral("modified 1001 %1 1").arg(view.Line(8)->GetButtonID())}))
        << "each Series hidden tells of the operation after it";
    view.ToggleHide();
    for (int index = 0; index < 12; ++index)
        EXPECT_FALSE(view.Line(index)->line().hidden) << index;
    EXPECT_TRUE(services.calls.contains(QStringLiteral("icon %1 0").arg(view.Line(6)->GetButtonID())));
    ExpectMatchesFreshLoad(view);
}

TEST_F(RecipeEditFixture, BreakpointsAndIndentsStayWithinTheirRules)
{
    CQUORVANTAView& view = OpenCoupling("Reaction");
    EXPECT_FALSE(view.IsCommandEnabled(ID_INDENT_LEFT)) << "indent 1";
    view.IndentSelectedLines(1);
    EXPECT_EQ(view.Line(0)->line().indent, 1);
    for (int n = 0; n < 5; ++n)
        view.IndentSelectedLines(2);
    EXPECT_EQ(view.Line(0)->line().indent, 5);
    EXPECT_FALSE(view.IsCommandEnabled(ID_INDENT_RIGHT));
    view.OnLineClicked(view.Line(13), true);
    EXPECT_TRUE(view.IsCommandEnabled(ID_INDENT_RIGHT)) << "multi-selection";
    view.ToggleBreakpoints();
    EXPECT_TRUE(view.IsCommandEnabled(ID_REMOVE_ALL_BREAKPOINTS));
    view.RemoveAllBreakpoints();
    EXPECT_FALSE(view.IsCommandEnabled(ID_REMOVE_ALL_BREAKPOINTS));
    ExpectMatchesFreshLoad(view);
}

TEST_F(RecipeEditFixture, CopyFillsTheRecipeClipboardAndTheSystemClipboard)
{
    RecipeClipboard clipboard;
    installed.Install<RecipeClipboard>(&clipboard);
    CQUORVANTAView& view = OpenCoupling("Work-up");
    view.OnLineClicked(view.Line(14), true); // taken as a child already
    ASSERT_TRUE(view.OnEditCopy());
    ASSERT_EQ(clipboard.items.size(), 1);
    EXPECT_EQ(clipboard.items.first()->children.size(), 3);
    EXPECT_TRUE(clipboard.bUnitProcedures);
    EXPECT_TRUE(clipboard.bRecipeClipboardFilled);
    EXPECT_EQ(QGuiApplication::clipboard()->text(),
              "2.\tWork-up in R-102\n2.1.\t\tCool R-102 to 20 C over 60 min.\n2.2.\t\tDistill 400 kg of "
              "Toluene from R-102 at 90 C over 180 min.\n2.3.\t\tAge R-102 at 25 C for 30 min.");
    view.SelectItem(2);
    ASSERT_TRUE(view.OnEditCopy());
    EXPECT_EQ(QGuiApplication::clipboard()->text(), "\n1.2.\t\tCharge 800 kg of Toluene to R-101.\nRanges: Amount 790 kg to 810 kg.");
    EXPECT_FALSE(clipboard.bUnitProcedures);
}

TEST_F(RecipeEditFixture, ACopyThatStopsLeavesNothingToCut)
{
    RecipeClipboard clipboard;
    installed.Install<RecipeClipboard>(&clipboard);
    OpenDemo();
    EditStep(COUPLING_STEP, "DELETE FROM TextRecipe WHERE RecipeSequenceNumber = 1");
    EditStep(COUPLING_STEP, "UPDATE TextRecipe SET RecipeSequenceNumber = RecipeSequenceNumber - 1, ID = CASE WHEN Type"
                            " IN ('Unit Procedure', 'Operation') THEN ID ELSE RecipeSequenceNumber - 1 END");
    CQUORVANTAView& view = OpenView(COUPLING_STEP);
    view.SelectItem(0);
    const QStringList rows = Rows(COUPLING_STEP);
    view.OnEditCut(); // no unit procedure above: nothing copied, nothing asked, nothing cut
    EXPECT_TRUE(clipboard.items.isEmpty());
    EXPECT_FALSE(clipboard.bRecipeClipboardFilled);
    EXPECT_EQ(Rows(COUPLING_STEP), rows);
}

TEST_F(RecipeEditFixture, ConstraintDialogsWriteRowsAndTellTheEngine)
{
    ScriptedConstraintDialogs dialogs;
    installed.Install<ConstraintDialogService>(&dialogs);
    CQUORVANTAView& view = OpenCoupling("Heat");
    const long heat = view.GetSelectedItemID(), sweep = view.Line(8)->GetButtonID();
    ASSERT_TRUE(view.IsCommandEnabled(ID_INSERT_DELAY_IN_PARALLEL));
    view.EditParallelBlockConstraints();
    EXPECT_EQ(Count(QStringLiteral("SELECT COUNT(*) FROM OperationConditionalLogicParameter WHERE CurrentOperationID = %1"
                                   " AND OperationParameterID = %2 AND ConditionalLogic = 'Parallel-To'")
                        .arg(heat)
                        .arg(sweep)),
              1);
    EXPECT_EQ(engine.calls, (QStringList{QStringLiteral("modified 1001 %1 1").arg(heat),
                                         QStringLiteral("modified 1001 %1 1").arg(sweep)}));
    engine.calls.clear();
    view.EditStartAfterConstraints(); // three operations above
    EXPECT_EQ(dialogs.offered.last(), "Start-After Constraints: 3 s,min,h,day,week");
    EXPECT_EQ(Count(QStringLiteral("SELECT COUNT(*) FROM OperationConditionalLogicParameter WHERE CurrentOperationID = %1"
                                   " AND ConditionalLogic = 'Starts-After'").arg(heat)),
              3);
    view.EditStartAfterConstraints(); // the same choice again changes nothing
    EXPECT_EQ(engine.calls.size(), 1);
    dialogs.cancel = true;
    view.SelectItem(12);
    view.EditStartAfterConstraints();
    EXPECT_EQ(Count("SELECT COUNT(*) FROM UnitProcedureConditionalLogicParameter"), 0);
    EXPECT_EQ(engine.calls.size(), 2) << "a unit procedure's first operation is told in any case";
}
