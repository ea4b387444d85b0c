// Paste and drag of recipe lines in the running program on Demo: Coupling's first unit procedure
// copied and pasted with Insert Before at the top of Crystallization, one of Crystallization's
// operations dragged to another unit procedure, the result kept across save and reopen. With
// QV_SHOTS_DIR set, the frame's picture at each stage as r3-<stage>.png there.

#include "RecipeShellFixture.h"

#include <QMdiSubWindow>
#include <QScrollBar>

namespace {
constexpr long CRYSTALLIZATION_STEP = 1002;

void WalkShot(QWidget* window, const QString& name)
{
    SaveShellShot(window, "r3-" + name + ".png");
}

QPoint CentreOf(const QWidget* widget)
{
    return widget->mapToGlobal(widget->rect().center());
}

void SendMouse(QWidget* to, QEvent::Type type, QPoint global, Qt::MouseButton button, Qt::MouseButtons held)
{
    QMouseEvent event(type, to->mapFromGlobal(QPointF(global)), QPointF(global), button, held,
                      Qt::NoModifier);
    QCoreApplication::sendEvent(to, &event);
}

// The first line from that index on whose text starts so; -1 when none does.
int IndexOf(const CQUORVANTAView& view, const QString& text, int from = 0)
{
    for (int index = from; index < view.LineCount(); ++index) {
        if (view.Line(index)->text().startsWith(text))
            return index;
    }
    return -1;
}

// The stored lines without their numbers.
QStringList Unnumbered(const QStringList& lines)
{
    QStringList texts;
    for (const QString& line : lines)
        texts << (line.contains(' ') && line.front().isDigit() ? line.section(' ', 1) : line);
    return texts;
}
} // namespace

class RecipePasteWalkShellTest : public RecipeShellFixture {};

TEST_F(RecipePasteWalkShellTest, APastedUnitProcedureAndADraggedOperationAreKeptAcrossSaveAndReopen)
{
    CQUORVANTAView* coupling = OpenCouplingFromTheExplorer();
    ASSERT_NE(coupling, nullptr);
    const int reactionLines = IndexOf(*coupling, "Work-up");
    ASSERT_GT(reactionLines, 1);
    Click(*coupling, "Reaction");
    frame->action(ID_EDIT_COPY)->trigger();
    WalkShot(frame, "1-copied-in-coupling");

    CQUORVANTAView* crystallization = OpenRecipeFromTheExplorer(1, CRYSTALLIZATION_STEP);
    ASSERT_NE(crystallization, nullptr);
    const QStringList before = StoredLines(CRYSTALLIZATION_STEP);
    Click(*crystallization, "Dissolution");
    frame->SetInsertMode(false);
    ClickEditMenu("Paste");
    const QStringList pasted = StoredLines(CRYSTALLIZATION_STEP);
    ASSERT_EQ(pasted.size(), before.size() + reactionLines);
    EXPECT_EQ(Unnumbered(pasted.mid(0, reactionLines)),
              Unnumbered(StoredLines(SHELL_COUPLING_STEP).mid(0, reactionLines)));
    EXPECT_EQ(Unnumbered(pasted.mid(reactionLines)), Unnumbered(before));
    EXPECT_TRUE(pasted.at(reactionLines).startsWith("2")) << pasted.at(reactionLines).toStdString();
    WalkShot(frame, "2-pasted-insert-before");

    const int heatIndex = IndexOf(*crystallization, "Heat", IndexOf(*crystallization, "Dissolution"));
    const int isolationIndex = IndexOf(*crystallization, "Isolation");
    ASSERT_LT(heatIndex, isolationIndex);
    CRecipeButton* heat = crystallization->Line(heatIndex);
    CRecipeButton* isolation = crystallization->Line(isolationIndex);
    QScrollBar* scroll = crystallization->verticalScrollBar(); // both lines in view
    scroll->setValue(scroll->value() + heat->y());
    QCoreApplication::processEvents();
    SendMouse(heat, QEvent::MouseButtonPress, CentreOf(heat), Qt::LeftButton, Qt::LeftButton);
    SendMouse(heat, QEvent::MouseMove, CentreOf(isolation), Qt::NoButton, Qt::LeftButton);
    ASSERT_TRUE(frame->recipeLineDrag().IsDragging());
    WalkShot(frame, "3-dragging-operation");
    SendMouse(heat, QEvent::MouseButtonRelease, CentreOf(isolation), Qt::LeftButton, Qt::NoButton);
    const QStringList dragged = StoredLines(CRYSTALLIZATION_STEP);
    QStringList moved = Unnumbered(pasted);
    moved.move(heatIndex, isolationIndex - 1); // the last operation of the unit procedure above
    EXPECT_EQ(Unnumbered(dragged), moved);
    EXPECT_EQ(dragged.at(isolationIndex - 1).toStdString(), "4.3. Heat");

    ASSERT_TRUE(app->SaveOpenProject());
    ASSERT_TRUE(app->CloseProject(SaveAnswer::Discard));
    ASSERT_TRUE(app->OpenProjectByPath(m_project));
    EXPECT_EQ(StoredLines(CRYSTALLIZATION_STEP), dragged);
    ASSERT_NE(OpenRecipeFromTheExplorer(1, CRYSTALLIZATION_STEP), nullptr);
    WalkShot(frame, "4-reopened");
}
