// Keys and mouse of the recipe window that reach the view: Return and Enter edit, Left and Right
// scroll sideways, the remark-mark click, and the commands without an action on this platform.

#include "RecipeEditFixture.h"

#include "foundation/common/CommandIds.h"
#include "foundation/common/concerns/CommandDispatcher.h"
#include "modules/opdialog/ConstraintDialogs.h"

#include <QCoreApplication>
#include <QKeyEvent>
#include <QMouseEvent>

namespace {
// Records each dispatched command and runs it on its target.
struct RecordingDispatcher : CommandDispatcher {
    bool DispatchCommand(const CommandRequest& request) override
    {
        commands << request.commandID;
        request.target->OnCommand(request.commandID);
        return true;
    }
    QList<int> commands;
};

struct CancellingConstraintDialogs : ConstraintDialogService {
    std::optional<QList<ConstraintChoice>> AskConstraints(const QString&, const QList<ConstraintChoice>&,
                                                          const QList<ConstraintChoice>&, const QStringList&) override
    {
        return std::nullopt;
    }
};

void PressKey(QWidget* to, int key)
{
    QKeyEvent event(QEvent::KeyPress, key, Qt::NoModifier);
    QCoreApplication::sendEvent(to, &event);
}
} // namespace

class RecipeKeysTest : public RecipeEditFixture {
protected:
    RecipeKeysTest() { installed.Install<CommandDispatcher>(&dispatcher); }
    RecordingDispatcher dispatcher;
};

TEST_F(RecipeKeysTest, ReturnAndEnterEditTheSelectedItemLine)
{
    struct Case {
        const char* line;
        bool enabled;
    };
    const Case cases[] = {{"Reaction", true}, {"Purge", true}, {"Start Parallel", false}, {"Series", false}};
    CancellingConstraintDialogs constraints;
    installed.Install<ConstraintDialogService>(&constraints);
    dialogs.edits = {std::nullopt, std::nullopt, std::nullopt}; // the unit procedure's form, cancelled
    CQUORVANTAView& view = OpenCoupling();
    for (const Case& c : cases) {
        SCOPED_TRACE(c.line);
        view.OnLineClicked(view.Line(IndexOf(view, c.line)), false);
        EXPECT_EQ(view.IsCommandEnabled(ID_EDIT_SELECTION), c.enabled);
        dispatcher.commands.clear();
        PressKey(&view, Qt::Key_Return);
        PressKey(view.GetFirstSelectedLine(), Qt::Key_Enter);
        EXPECT_EQ(dispatcher.commands, (QList<int>{ID_EDIT_SELECTION, ID_EDIT_SELECTION}));
        EXPECT_EQ(view.GetFirstSelectedIndex(), IndexOf(view, c.line));
        EXPECT_FALSE(view.Line(IndexOf(view, c.line))->Edit()) << "every editor cancelled";
    }
    view.OnLineClicked(view.Line(2), true);
    EXPECT_FALSE(view.IsCommandEnabled(ID_EDIT_SELECTION)) << "a multiple selection";
    EXPECT_EQ(app.modifiedHistory(), QList<bool>(3, true)) << "an operation editor marks the project, changed or not";
    ExpectMatchesFreshLoad(view);
}

TEST_F(RecipeKeysTest, LeftAndRightScrollSideways)
{
    CQUORVANTAView& view = OpenCoupling("Purge");
    view.resize(260, 400);
    QCoreApplication::processEvents();
    ASSERT_GT(view.horzRange(), 0);
    PressKey(&view, Qt::Key_Right);
    const int once = view.horzPos();
    EXPECT_GT(once, 0);
    PressKey(view.Line(1), Qt::Key_Right);
    EXPECT_GT(view.horzPos(), once);
    PressKey(&view, Qt::Key_Left);
    EXPECT_EQ(view.horzPos(), once);
    PressKey(view.Line(1), Qt::Key_Left);
    EXPECT_EQ(view.horzPos(), 0);
    EXPECT_EQ(view.GetFirstSelectedIndex(), 1) << "the selection stays";
}

TEST_F(RecipeKeysTest, EmbeddedObjectCommandsAreInertHere)
{
    CQUORVANTAView& view = OpenCoupling("Purge");
    EXPECT_TRUE(view.HandlesCommand(ID_OLE_INSERT_NEW));
    EXPECT_FALSE(view.IsCommandEnabled(ID_OLE_INSERT_NEW));
    for (int id : {ID_CANCEL_EDIT_CNTR, ID_CANCEL_EDIT_SRVR}) {
        EXPECT_TRUE(view.HandlesCommand(id));
        view.OnCommand(id);
    }
    EXPECT_EQ(view.LineCount(), 16);
    EXPECT_EQ(view.GetFirstSelectedIndex(), 1);
    EXPECT_TRUE(app.modifiedHistory().isEmpty());
}

TEST_F(RecipeKeysTest, AClickOnARemarkMarkOpensTheOperationsQuickResults)
{
    struct Case {
        int x;
        bool warnings;
        bool opens;
    };
    const Case cases[] = {{22, true, true}, {19, true, true}, {26, true, true}, {18, true, false},
                          {27, true, false}, {22, false, false}};
    CQUORVANTAView& view = OpenCoupling("Reaction");
    CRecipeButton* charge = view.Line(2);
    charge->line().severity = 1;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.x);
        host.options.warnings = c.warnings;
        host.calls.clear();
        view.OnLineClicked(view.Line(0), false);
        const QPoint at(c.x, charge->m_top + view.scrollOffsetY() + 4);
        QMouseEvent release(QEvent::MouseButtonRelease, at, view.viewport()->mapToGlobal(at), Qt::LeftButton,
                            Qt::NoButton, Qt::NoModifier);
        QCoreApplication::sendEvent(view.viewport(), &release);
        EXPECT_EQ(host.calls.contains(QString("quick %1 %2").arg(COUPLING_STEP).arg(charge->GetButtonID())), c.opens);
        EXPECT_EQ(charge->IsSelected(), c.opens);
    }
}
