// Selecting recipe lines by click and Ctrl-click, with the marks of a selected unit procedure's
// lines, and the colours each line takes by kind, selection, Hide and drop target.

#include "RecipeEditFixture.h"

#include "recipe/view/RecipeLineDrag.h"

#include <QCoreApplication>
#include <QImage>
#include <QMouseEvent>
#include <QPalette>

namespace {
void SendPress(QWidget* to, QEvent::Type type, Qt::KeyboardModifiers modifiers)
{
    const QPointF at = to->rect().center();
    const Qt::MouseButtons held = type == QEvent::MouseButtonRelease ? Qt::NoButton : Qt::LeftButton;
    QMouseEvent event(type, at, to->mapToGlobal(at), Qt::LeftButton, held, modifiers);
    QCoreApplication::sendEvent(to, &event);
}

QList<int> Indexes(const CQUORVANTAView& view, bool (CRecipeButton::*state)() const)
{
    QList<int> indexes;
    for (int index = 0; index < view.LineCount(); ++index) {
        if ((view.Line(index)->*state)())
            indexes << index;
    }
    return indexes;
}

QList<int> Range(int first, int last)
{
    QList<int> range;
    for (int index = first; index <= last; ++index)
        range << index;
    return range;
}

bool HasPixel(const QImage& image, const QColor& colour)
{
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            if (image.pixelColor(x, y).rgb() == colour.rgb())
                return true;
        }
    }
    return false;
}
} // namespace

// Clicks in order: a positive index is a plain click, a negative one (~index) a Ctrl-click.
// Coupling: 0 a unit procedure with lines 1-11, 12 a unit procedure with 13-15.
TEST_F(RecipeEditFixture, ClicksAndCtrlClicksSelectAndMarkAsTheRulesSay)
{
    struct Case {
        const char* name;
        QList<int> clicks;
        QList<int> selected;
        QList<int> inGroup;
        bool multi;
    };
    const Case cases[] = {
        {"a unit procedure marks its lines", {0}, {0}, Range(1, 11), false},
        {"a marked line ignores Ctrl", {0, ~2}, {0}, Range(1, 11), false},
        {"Ctrl adds a unit procedure", {1, ~12}, {1, 12}, Range(13, 15), true},
        {"Ctrl twice on a unit procedure", {1, ~12, ~12}, {1}, {}, true},
        {"Ctrl twice on an operation", {1, ~3, ~3}, {1}, {}, true},
        {"a plain click ends a multiple selection", {1, ~3, ~12, 10}, {10}, {}, false},
        {"Ctrl on a unit procedure drops its selected lines", {13, ~12}, {12}, Range(13, 15), true},
        {"a plain click clears every mark", {0, ~12, 5}, {5}, {}, false},
        {"a keyword line is taken by Ctrl", {1, ~4}, {1, 4}, {}, true},
    };
    CQUORVANTAView& view = OpenCoupling();
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        for (int click : c.clicks)
            view.OnLineClicked(view.Line(click < 0 ? ~click : click), click < 0);
        EXPECT_EQ(Indexes(view, &CRecipeButton::IsSelected), c.selected);
        EXPECT_EQ(Indexes(view, &CRecipeButton::IsInGroup), c.inGroup);
        EXPECT_EQ(view.IsMultiSelect(), c.multi);
        view.Line(14)->Click(); // plain: one line, its marks cleared
        EXPECT_EQ(Indexes(view, &CRecipeButton::IsSelected), QList<int>{14});
        EXPECT_FALSE(view.IsMultiSelect());
    }
    view.SetSingleSelectOnly(true);
    view.OnLineClicked(view.Line(1), false);
    view.OnLineClicked(view.Line(3), true);
    EXPECT_EQ(Indexes(view, &CRecipeButton::IsSelected), QList<int>{3}) << "Ctrl ignored";
    EXPECT_FALSE(view.IsMultiSelect());
}

// A plain click leaves one line selected however the others were: set directly as a paste does,
// selected and deselected more often than there are lines, or retired by a rebuild.
TEST_F(RecipeEditFixture, APlainClickDeselectsLinesSelectedAnyWay)
{
    CQUORVANTAView& view = OpenCoupling();
    const int lines = view.LineCount();
    QList<int> stillSelected;
    for (int round = 0; round < 3 * lines; ++round) {
        CRecipeButton* line = view.Line(round % lines);
        line->SetSelected(true);
        line->SetSelected(round % 3 == 0);
        if (round >= 2 * lines && round % 3 == 0)
            stillSelected << round % lines;
    }
    EXPECT_EQ(Indexes(view, &CRecipeButton::IsSelected), stillSelected);
    EXPECT_EQ(view.GetFirstSelectedIndex(), stillSelected.first());
    view.Line(2)->Click();
    EXPECT_EQ(Indexes(view, &CRecipeButton::IsSelected), QList<int>{2});
    view.Line(9)->SetSelected(true);
    view.Line(2)->SetSelected(false);
    view.Line(4)->SetSelected(true);
    EXPECT_EQ(view.GetFirstSelectedIndex(), 4);
    view.Line(5)->SetSelected(true);
    view.RebuildRecipe();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    view.Line(3)->SetSelected(true);
    view.Line(7)->Click();
    EXPECT_EQ(Indexes(view, &CRecipeButton::IsSelected), QList<int>{7});
    EXPECT_EQ(view.GetFirstSelectedIndex(), 7);
}

// Ctrl is read from the event; the click runs once per press, and a double-click arms no drag.
TEST_F(RecipeEditFixture, CtrlComesFromTheMouseEventAndADoubleClickArmsNoDrag)
{
    CRecipeLineDrag drag;
    installed.Install<CRecipeLineDrag>(&drag);
    CQUORVANTAView& view = OpenCoupling();
    SendPress(view.Line(1), QEvent::MouseButtonPress, Qt::NoModifier);
    SendPress(view.Line(1), QEvent::MouseButtonRelease, Qt::NoModifier);
    for (int n = 0; n < 2; ++n) {
        SendPress(view.Line(3), QEvent::MouseButtonPress, Qt::ControlModifier);
        SendPress(view.Line(3), QEvent::MouseButtonRelease, Qt::ControlModifier);
        EXPECT_EQ(Indexes(view, &CRecipeButton::IsSelected), n == 0 ? (QList<int>{1, 3}) : QList<int>{1});
    }
    SendPress(view.Line(9), QEvent::MouseButtonDblClick, Qt::NoModifier); // "End Parallel": no editor
    EXPECT_FALSE(drag.IsArmed());
    EXPECT_EQ(Indexes(view, &CRecipeButton::IsSelected), QList<int>{1}) << "the press before selects";
}

// Background and text colour of each line state, read from the painted line.
TEST_F(RecipeEditFixture, EachLineStatePaintsItsColours)
{
    CQUORVANTAView& view = OpenCoupling();
    const QPalette palette = view.Line(0)->palette();
    const QColor green(0, 255, 0), blue(0, 0, 255);
    for (int index : {0, 1, 4}) { // a unit procedure, an operation, "Start Parallel"
        CRecipeButton* line = view.Line(index);
        const QColor plainText = index == 4 ? blue : palette.text().color();
        for (int state = 0; state < 8; ++state) {
            const bool selected = state & 1, hidden = state & 2, dropTarget = state & 4;
            SCOPED_TRACE(QString("line %1 selected %2 hidden %3 drop %4").arg(index).arg(selected).arg(hidden).arg(dropTarget).toStdString());
            line->SetSelected(selected);
            line->line().hidden = hidden;
            line->SetDropHighlight(dropTarget);
            const bool highlit = selected || dropTarget;
            const QColor background = highlit ? palette.highlight().color() : palette.base().color();
            const QColor text = selected ? palette.highlightedText().color()
                                : hidden ? green
                                : dropTarget ? palette.highlightedText().color()
                                             : plainText;
            const QImage image = line->grab().toImage();
            EXPECT_EQ(image.pixelColor(image.width() - 1, image.height() - 1).rgb(), background.rgb());
            EXPECT_TRUE(HasPixel(image, text)) << text.name().toStdString();
        }
    }
}
