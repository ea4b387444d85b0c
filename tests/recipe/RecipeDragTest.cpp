// Lines dragged with the mouse: the gesture routed from the pressed line by the pointer, its ends,
// and the drops within a window, between steps and windows, and into an empty window.

#include "RecipeEditFixture.h"

#include "foundation/common/CommandIds.h"
#include "foundation/common/MessageBox.h"
#include "foundation/db/connection/DaoDatabase.h"
#include "recipe/edit/RecipeConstraints.h"
#include "recipe/view/RecipeClipboard.h"
#include "recipe/view/RecipeLineDrag.h"

#include <QApplication>
#include <QMouseEvent>
#include <QSqlQuery>
#include <QTimer>

namespace {
constexpr long OTHER_STEP = 1002;

QPoint CentreOf(const QWidget* widget)
{
    return widget->mapToGlobal(widget->rect().center());
}

void SendMouse(QWidget* to, QEvent::Type type, QPoint global, Qt::MouseButton button, Qt::MouseButtons held,
               Qt::KeyboardModifiers modifiers = Qt::NoModifier)
{
    QMouseEvent event(type, to->mapFromGlobal(QPointF(global)), QPointF(global), button, held, modifiers);
    QCoreApplication::sendEvent(to, &event);
}

// Each operation constraint row as "current|logic|parameter|delay unit", the operations by the
// first word of their line and "off" for an id no line shows.
QString OperationConstraintsOf(const CQUORVANTAView& view)
{
    QHash<long, QString> names;
    for (const CRecipeButton* line : view.lines()) {
        if (line->GetItemType() == RECIPE_LINE_OPERATION)
            names.insert(line->GetButtonID(), line->text().section(' ', 0, 0));
    }
    QSqlQuery rows =
        GetStepDatabase(view.stepID())
            ->Query("SELECT CurrentOperationID, ConditionalLogic, OperationParameterID, Delay, DelayUOM"
                    " FROM OperationConditionalLogicParameter");
    QStringList described;
    while (rows.next())
        described << QStringLiteral("%1|%2|%3|%4 %5")
                         .arg(names.value(long(rows.value(0).toLongLong()), "off"), rows.value(1).toString(),
                              names.value(long(rows.value(2).toLongLong()), "off"))
                         .arg(rows.value(3).toDouble())
                         .arg(rows.value(4).toString());
    described.sort();
    return described.join("; ");
}

QStringList ItemsOf(const CQUORVANTAView& view)
{
    QStringList items;
    for (const CRecipeButton* line : view.lines())
        items << QStringLiteral("%1:%2").arg(line->GetItemType()).arg(line->GetButtonID());
    return items;
}
} // namespace

class RecipeDragTest : public RecipeEditFixture {
protected:
    RecipeDragTest()
    {
        installed.Install<RecipeClipboard>(&clipboard);
        installed.Install<CRecipeLineDrag>(&drag);
    }
    // Presses the line, moves past the drag distance onto the point and, unless told, releases there;
    // every event goes to the pressed line, as Qt's grab sends them.
    void Drag(CRecipeButton* from, QPoint to, bool release = true)
    {
        SendMouse(from, QEvent::MouseButtonPress, CentreOf(from), Qt::LeftButton, Qt::LeftButton);
        SendMouse(from, QEvent::MouseMove, CentreOf(from) + QPoint(1, 1), Qt::NoButton, Qt::LeftButton);
        EXPECT_FALSE(drag.IsDragging()) << "not before the drag distance";
        SendMouse(from, QEvent::MouseMove, to, Qt::NoButton, Qt::LeftButton);
        if (release)
            SendMouse(from, QEvent::MouseButtonRelease, to, Qt::LeftButton, Qt::NoButton);
    }
    void DragOnto(CRecipeButton* from, CRecipeButton* onto) { Drag(from, CentreOf(onto)); }
    // The second window sits to the right of the first, both on the 800-pixel offscreen screen.
    CQUORVANTAView& OpenBeside(long stepID)
    {
        CQUORVANTAView& view = OpenView(stepID, QSize(380, 400));
        view.move(400, 0);
        QCoreApplication::processEvents();
        return view;
    }
    void ExpectGestureOver()
    {
        EXPECT_FALSE(drag.IsArmed());
        EXPECT_EQ(QApplication::overrideCursor(), nullptr);
    }

    RecipeClipboard clipboard;
    CRecipeLineDrag drag;
};

TEST_F(RecipeDragTest, AMoveWithinTheWindowFollowsThePointerAndIsOneEdit)
{
    CQUORVANTAView& view = OpenCoupling();
    view.move(0, 0);
    CRecipeButton* purge = view.Line(1);
    const QString moved = purge->line().recipeText;
    Drag(purge, CentreOf(view.Line(14)), false);
    EXPECT_TRUE(drag.IsDragging());
    EXPECT_EQ(view.dropIndex(), 14);
    EXPECT_TRUE(view.Line(14)->IsDropHighlighted());
    EXPECT_EQ(QApplication::overrideCursor(), nullptr) << "no drag cursor over the source window";
    SendMouse(purge, QEvent::MouseMove, CentreOf(view.Line(13)), Qt::NoButton, Qt::LeftButton);
    EXPECT_FALSE(view.Line(14)->IsDropHighlighted());
    EXPECT_TRUE(view.Line(13)->IsDropHighlighted());
    SendMouse(purge, QEvent::MouseButtonRelease, CentreOf(view.Line(13)), Qt::LeftButton, Qt::NoButton);
    ExpectGestureOver();
    EXPECT_EQ(view.dropIndex(), -1);
    EXPECT_EQ(view.Line(13)->line().recipeText, moved) << "after 2.1. (Insert After), one line up once cut";
    EXPECT_TRUE(view.Line(13)->IsSelected());
    EXPECT_EQ(view.Line(13)->line().label, "2.2.");
    EXPECT_EQ(view.LineCount(), 16);
    ExpectMatchesFreshLoad(view);
    EXPECT_EQ(Count("SELECT COUNT(*) FROM TextRecipe"), 16);
    EXPECT_EQ(automation.calls.count("build"), 1) << "one refresh after the commit";
    EXPECT_FALSE(view.IsPasting());
    EXPECT_TRUE(view.keptConstraints().isEmpty() && view.invalidConstraints().isEmpty());
}

TEST_F(RecipeDragTest, DropsThatMoveNothing)
{
    struct Case {
        const char* name;
        int from, onto;
        bool insertAfter;
        const char* message;
    };
    const Case cases[] = {
        {"onto itself", 2, 2, true, nullptr},
        {"a unit procedure into one of its operations", 0, 3, true, "Invalid drag and drop!"},
        {"an operation before the first unit procedure", 13, 0, false,
         "Can't drop an Operation before the first Unit Procedure!"},
    };
    CQUORVANTAView& view = OpenCoupling();
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        SetInsertAfter(c.insertAfter);
        view.OnActivateView(true);
        const QStringList before = ItemsOf(view);
        if (c.message)
            prompts.expect(IDOK);
        DragOnto(view.Line(c.from), view.Line(c.onto));
        EXPECT_EQ(ItemsOf(view), before);
        EXPECT_EQ(prompts.texts().size(), c.message ? 1 : 0);
        if (c.message) {
            EXPECT_EQ(prompts.lastText(), c.message);
        }
        EXPECT_TRUE(view.Line(c.onto)->IsSelected()) << "the target is clicked";
        EXPECT_FALSE(view.Line(c.onto)->IsDropHighlighted());
        ExpectGestureOver();
        prompts.clear();
    }
}

TEST_F(RecipeDragTest, TheGestureEndsWithoutADrop)
{
    struct Case {
        const char* name;
        std::function<void(CRecipeButton*)> end;
    };
    CQUORVANTAView& view = OpenCoupling();
    view.move(0, 0);
    const Case cases[] = {
        {"a release off the lines", [](CRecipeButton* from) {
             SendMouse(from, QEvent::MouseButtonRelease, QPoint(5000, 5000), Qt::LeftButton, Qt::NoButton);
         }},
        {"Esc", [](CRecipeButton* from) {
             QKeyEvent esc(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier);
             QCoreApplication::sendEvent(from, &esc);
         }},
        {"a right click", [&view](CRecipeButton* from) {
             QTimer::singleShot(0, [] {
                 if (QWidget* menu = QApplication::activePopupWidget())
                     menu->close();
             });
             SendMouse(from, QEvent::MouseButtonPress, CentreOf(view.Line(14)), Qt::RightButton,
                       Qt::LeftButton | Qt::RightButton);
         }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const QStringList before = ItemsOf(view);
        CRecipeButton* from = view.Line(1);
        Drag(from, CentreOf(view.Line(14)), false);
        ASSERT_TRUE(drag.IsDragging());
        c.end(from);
        ExpectGestureOver();
        EXPECT_FALSE(view.Line(14)->IsDropHighlighted());
        SendMouse(from, QEvent::MouseButtonRelease, CentreOf(view.Line(14)), Qt::LeftButton, Qt::NoButton);
        EXPECT_EQ(ItemsOf(view), before) << "a later release drops nothing";
    }
}

TEST_F(RecipeDragTest, AConstraintTheMoveBreaksIsAskedAboutAndTheKeptOneFollowsTheNewId)
{
    CQUORVANTAView& view = OpenCoupling();
    const long purge = view.Line(1)->GetButtonID();
    const long charge800 = view.Line(2)->GetButtonID();
    const long transfer = view.Line(15)->GetButtonID();
    EditStep(COUPLING_STEP, QString("INSERT INTO OperationConditionalLogicParameter (CurrentOperationID,"
                                    " ConditionalLogic, OperationParameterID) VALUES (%1, 'Starts-After', %2),"
                                    " (%3, 'Starts-After', %2)")
                                .arg(charge800)
                                .arg(purge)
                                .arg(transfer));
    const QStringList before = ItemsOf(view);
    prompts.expect(IDNO);
    DragOnto(view.Line(1), view.Line(13));
    EXPECT_TRUE(prompts.lastText().startsWith("The following Start-After constraints specified are no longer valid"
                                              " and will be removed. Do you wish to continue?\n"));
    EXPECT_EQ(ItemsOf(view), before) << "No moves nothing";
    EXPECT_TRUE(view.Line(13)->IsSelected());
    prompts.expect(IDYES);
    DragOnto(view.Line(1), view.Line(13));
    const long moved = view.Line(13)->GetButtonID();
    EXPECT_NE(moved, purge);
    EXPECT_EQ(Count("SELECT COUNT(*) FROM OperationConditionalLogicParameter"), 1);
    EXPECT_EQ(Count(QString("SELECT COUNT(*) FROM OperationConditionalLogicParameter WHERE CurrentOperationID = %1"
                            " AND OperationParameterID = %2").arg(transfer).arg(moved)),
              1);
    ExpectMatchesFreshLoad(view);
    EXPECT_TRUE(view.keptConstraints().isEmpty() && view.invalidConstraints().isEmpty());
}

TEST_F(RecipeDragTest, BetweenStepsTheSourceIsCutOnlyAfterThePasteCommitted)
{
    CQUORVANTAView& source = OpenCoupling();
    source.setGeometry(0, 0, 380, 400);
    CQUORVANTAView& target = OpenBeside(OTHER_STEP);
    const long purge = source.Line(1)->GetButtonID();
    const int targetLines = target.LineCount();
    EditStep(OTHER_STEP, "CREATE TEMP TRIGGER FailPaste BEFORE INSERT ON TextRecipe BEGIN"
                         " SELECT RAISE(ABORT, 'row write refused'); END");
    prompts.expect(IDOK);
    Drag(source.Line(1), CentreOf(target.Line(0)), false);
    EXPECT_NE(QApplication::overrideCursor(), nullptr) << "the drag cursor over another window";
    SendMouse(source.Line(1), QEvent::MouseMove, CentreOf(target.Line(0)), Qt::NoButton, Qt::LeftButton,
              Qt::ControlModifier);
    ASSERT_NE(QApplication::overrideCursor(), nullptr);
    EXPECT_EQ(QApplication::overrideCursor()->shape(), Qt::DragCopyCursor);
    SendMouse(source.Line(1), QEvent::MouseButtonRelease, CentreOf(target.Line(0)), Qt::LeftButton, Qt::NoButton);
    ExpectGestureOver();
    EXPECT_EQ(prompts.texts().size(), 1);
    EXPECT_EQ(source.Line(1)->GetButtonID(), purge) << "a failing paste leaves the source";
    EXPECT_EQ(target.LineCount(), targetLines);
    EditStep(OTHER_STEP, "DROP TRIGGER temp.FailPaste");

    DragOnto(source.Line(1), target.Line(0));
    EXPECT_EQ(target.LineCount(), targetLines + 1);
    EXPECT_TRUE(target.Line(1)->text().startsWith("Purge"));
    EXPECT_EQ(source.LineCount(), 15);
    EXPECT_NE(source.Line(1)->GetButtonID(), purge);
    ExpectMatchesFreshLoad(source);
    ExpectMatchesFreshLoad(target);
}

TEST_F(RecipeDragTest, AnotherFacilityCopiesOnYesAndNoCancelsTheDrop)
{
    CQUORVANTAView& source = OpenCoupling();
    source.setGeometry(0, 0, 380, 400);
    CQUORVANTAView& target = OpenBeside(OTHER_STEP);
    EditStep(OTHER_STEP, "UPDATE Step SET PlantID = PlantID + 1");
    const QStringList sourceItems = ItemsOf(source);
    const int targetLines = target.LineCount();
    prompts.expect(IDNO);
    DragOnto(source.Line(12), target.Line(0));
    EXPECT_EQ(target.LineCount(), targetLines);
    EXPECT_FALSE(target.IsDragCutPending());
    prompts.expect(IDYES);
    DragOnto(source.Line(12), target.Line(0));
    EXPECT_EQ(target.LineCount(), targetLines + 4) << "Work-up and its three operations";
    EXPECT_EQ(ItemsOf(source), sourceItems) << "the source stays";
    ExpectGestureOver();
}

TEST_F(RecipeDragTest, AnotherWindowOfTheSameStepMovesNothing)
{
    CQUORVANTAView& view = OpenCoupling();
    view.setGeometry(0, 0, 380, 400);
    CQUORVANTAView second;
    second.identity().stepID = COUPLING_STEP;
    second.setGeometry(400, 0, 380, 400);
    second.show();
    QCoreApplication::processEvents();
    if (!second.linesLoaded())
        second.LoadRecipeLines();
    const QStringList before = ItemsOf(view);
    DragOnto(view.Line(1), second.Line(13));
    EXPECT_EQ(ItemsOf(view), before);
    EXPECT_EQ(ItemsOf(second), before);
    EXPECT_TRUE(second.Line(13)->IsSelected());
}

TEST_F(RecipeDragTest, AnEmptyWindowTakesAUnitProcedureFirstOnly)
{
    CQUORVANTAView& source = OpenCoupling();
    source.setGeometry(0, 0, 380, 400);
    EditStep(OTHER_STEP, "DELETE FROM TextRecipe");
    CQUORVANTAView& target = OpenBeside(OTHER_STEP);
    ASSERT_EQ(target.LineCount(), 0);
    const QPoint empty = target.viewport()->mapToGlobal(QPoint(50, 50));
    Drag(source.Line(13), empty);
    EXPECT_EQ(target.LineCount(), 0) << "operations first: nothing";
    EXPECT_EQ(source.LineCount(), 16);
    Drag(source.Line(12), empty);
    ExpectGestureOver();
    ASSERT_EQ(target.LineCount(), 4);
    EXPECT_TRUE(target.Line(0)->text().startsWith("Work-up"));
    EXPECT_EQ(source.LineCount(), 12) << "moved within the facility";
    ExpectMatchesFreshLoad(target);
}

TEST_F(RecipeDragTest, ClosingTheSourceWindowEndsTheGesture)
{
    OpenCoupling().setGeometry(400, 0, 380, 400);
    auto* source = new CQUORVANTAView;
    source->identity().stepID = OTHER_STEP;
    source->setGeometry(0, 0, 380, 400);
    source->show();
    source->LoadRecipeLines();
    Drag(source->Line(0), QPoint(390, 10), false);
    ASSERT_TRUE(drag.IsDragging());
    delete source;
    drag.Move(QPoint(395, 10), false);
    ExpectGestureOver();
}

// A move gives the moved items new ids: the Parallel-To rows naming them, from either end, follow
// with their delays, whether the operation moves alone or with its unit procedure; rows of items
// that stay are left as they are.
TEST_F(RecipeDragTest, ParallelToConstraintsFollowTheMovedOperationsToTheirNewIds)
{
    CQUORVANTAView& view = OpenCoupling();
    const auto id = [&view](const char* text) { return view.Line(IndexOf(view, text))->GetButtonID(); };
    EditStep(COUPLING_STEP, QString("INSERT INTO OperationConditionalLogicParameter (CurrentOperationID,"
                                    " ConditionalLogic, OperationParameterID, Delay, DelayUOM) VALUES"
                                    " (%1, 'Parallel-To', %2, 5, 'min'), (%3, 'Parallel-To', %4, 2, 'h')")
                                .arg(id("Heat"))
                                .arg(id("Start a"))
                                .arg(id("Transfer"))
                                .arg(id("Age")));
    const std::string planted = OperationConstraintsOf(view).toStdString();
    ASSERT_EQ(planted, "Heat|Parallel-To|Start|5 min; Transfer|Parallel-To|Age|2 h");
    const struct {
        const char* moved;
        const char* onto;
    } drags[] = {
        {"Start a", "Cool"}, // the parameter's operation, out of its parallel block
        {"Heat", "React"},   // the current one
        {"Reaction", "Age"}, // both, with their unit procedure below the other
    };
    for (const auto& drag : drags) {
        SCOPED_TRACE(std::string(drag.moved) + " onto " + drag.onto);
        const long before = id(drag.moved);
        DragOnto(view.Line(IndexOf(view, drag.moved)), view.Line(IndexOf(view, drag.onto)));
        ASSERT_NE(id(drag.moved), before) << "the move gave a new id";
        EXPECT_EQ(OperationConstraintsOf(view).toStdString(), planted);
        ExpectMatchesFreshLoad(view);
    }
}

// All pairs in one statement per table: an id that is one item's old id and another's new one is
// carried once, not twice; Starts-After rows are the move's own rewire's and stay.
TEST_F(RecipeDragTest, MovedIdsAreCarriedAllAtOnce)
{
    OpenCoupling();
    CDaoDatabase& step = *GetStepDatabase(COUPLING_STEP);
    const auto rows = [&step](const char* table) {
        QSqlQuery query = step.Query(QString("SELECT * FROM %1 ORDER BY RowKey").arg(table));
        QStringList found;
        while (query.next())
            found << QString("%1 %2 %3")
                         .arg(query.value(0).toString(), query.value(1).toString(),
                              query.value(2).toString());
        return found.join("; ").toStdString();
    };
    EditStep(COUPLING_STEP,
             "INSERT INTO OperationConditionalLogicParameter (CurrentOperationID, ConditionalLogic,"
             " OperationParameterID) VALUES (1, 'Parallel-To', 2), (2, 'Parallel-To', 3),"
             " (1, 'starts-after', 2)");
    EditStep(COUPLING_STEP, "INSERT INTO UnitProcedureConditionalLogicParameter (CurrentUnitProcedureID,"
                            " ConditionalLogic, UnitProcedureParameterID) VALUES (1, 'Parallel-To', 2)");
    ASSERT_EQ(rows("OperationConditionalLogicParameter"),
              "1 Parallel-To 2; 2 Parallel-To 3; 1 starts-after 2");
    CarryConstraintsOfMoved(step, {{1, 2}, {2, 1}, {3, 9}}, {{2, 7}});
    EXPECT_EQ(rows("OperationConditionalLogicParameter"),
              "2 Parallel-To 1; 1 Parallel-To 9; 1 starts-after 2");
    EXPECT_EQ(rows("UnitProcedureConditionalLogicParameter"), "1 Parallel-To 7");
}
