#include "recipe/RecipeButton.h"

#include "foundation/common/AppContext.h"
#include "recipe/QuorvantaView.h"
#include "recipe/RecipeLineDrag.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>

namespace {
const QColor KEYWORD_COLOUR(0, 0, 255);
} // namespace

CRecipeButton::CRecipeButton(const QFont* font, const QString& text, const QString& typeText, int kind,
                             long itemID, long stepID, bool hidden, CQUORVANTAView* view, QWidget* parent)
    : QWidget(parent), m_view(view)
{
    if (font)
        setFont(*font);
    setFocusPolicy(Qt::ClickFocus);
    m_line.displayText = text;
    m_line.typeText = typeText;
    m_line.kind = kind;
    m_line.itemID = itemID;
    m_line.stepID = stepID;
    m_line.hidden = hidden;
}

void CRecipeButton::SetText(const QString& text)
{
    m_line.displayText = text;
    m_measuredWidth = -1;
    update();
}

void CRecipeButton::SetSelected(bool selected)
{
    if (m_selected != selected)
        update();
    m_selected = selected;
}

void CRecipeButton::SetDropHighlight(bool highlighted)
{
    if (m_dropHighlight != highlighted)
        update();
    m_dropHighlight = highlighted;
}

int CRecipeButton::Measure(int width)
{
    if (width == m_measuredWidth)
        return m_height;
    const QFontMetrics metrics(font());
    m_singleLineHeight = metrics.height();
    int height = metrics.boundingRect(QRect(0, 0, width, 32767), RECIPE_TEXT_FLAGS, m_line.displayText).height();
    height = qMax(height, m_singleLineHeight);
    if (m_view->IsJapanese())
        height += 3 * height / m_singleLineHeight;
    m_measuredWidth = width;
    m_height = height;
    return height;
}

void CRecipeButton::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    const QPalette& colours = palette();
    painter.fillRect(rect(), m_selected ? colours.highlight() : colours.base());
    if (m_selected)
        painter.setPen(colours.highlightedText().color());
    else
        painter.setPen(IsKeywordLine(m_line.kind) ? KEYWORD_COLOUR : colours.text().color());
    painter.drawText(rect(), RECIPE_TEXT_FLAGS, m_line.displayText);
    if (m_dropHighlight) {
        painter.setPen(QPen(colours.highlight().color(), 1, Qt::DashLine));
        painter.drawRect(rect().adjusted(0, 0, -1, -1));
    }
}

void CRecipeButton::mousePressEvent(QMouseEvent* event)
{
    CRecipeLineDrag* drag = CRecipeLineDrag::Installed();
    const bool ctrl = event->modifiers().testFlag(Qt::ControlModifier);
    if (event->button() == Qt::LeftButton) {
        if (drag && !ctrl && !m_view->IsMultiSelect())
            drag->Arm(this, event->globalPosition().toPoint());
        m_view->OnLineClicked(this, ctrl);
    } else if (event->button() == Qt::RightButton) {
        if (drag)
            drag->Cancel();
        m_view->ShowContextMenu(event->globalPosition().toPoint());
    }
}

void CRecipeButton::mouseDoubleClickEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton) {
        mousePressEvent(event);
        return;
    }
    m_view->OnLineClicked(this, event->modifiers().testFlag(Qt::ControlModifier));
    Edit();
}

// This line holds the mouse while the left button is down: a drag follows the pointer.
void CRecipeButton::mouseMoveEvent(QMouseEvent* event)
{
    CRecipeLineDrag* drag = CRecipeLineDrag::Installed();
    if (drag && drag->IsArmed() && event->buttons().testFlag(Qt::LeftButton))
        drag->Move(event->globalPosition().toPoint(), event->modifiers().testFlag(Qt::ControlModifier));
    else
        m_view->OnLineMouseMove(this, event);
}

void CRecipeButton::mouseReleaseEvent(QMouseEvent* event)
{
    CRecipeLineDrag* drag = CRecipeLineDrag::Installed();
    if (drag && event->button() == Qt::LeftButton)
        drag->Release(event->globalPosition().toPoint());
}

void CRecipeButton::keyPressEvent(QKeyEvent* event)
{
    if (CRecipeLineDrag* drag = CRecipeLineDrag::Installed(); drag && event->key() == Qt::Key_Escape)
        drag->Cancel();
    m_view->OnKeyDown(event->key(), event->modifiers());
}

// The editor of the line's item, as a double-click opens it; true when the line changed.
bool CRecipeButton::Edit()
{
    bool changed = false;
    switch (m_line.kind) {
    case RECIPE_LINE_UNIT_PROCEDURE:
        changed = EditUnitProcedure();
        break;
    case RECIPE_LINE_OPERATION:
        changed = EditOperation();
        break;
    case RECIPE_LINE_PARALLEL:
        changed = m_line.typeText.compare(QLatin1String("Start Parallel"), Qt::CaseInsensitive) == 0 &&
                  EditParallelBlockDelay();
        break;
    default:
        break;
    }
    if (!changed)
        return false;
    if (!m_selected)
        m_view->OnLineClicked(this, false);
    SetProjectModified(true);
    return true;
}

// The line editors come with their own feature; until then nothing changes.
bool CRecipeButton::EditUnitProcedure()
{
    return false;
}

bool CRecipeButton::EditOperation()
{
    return false;
}

bool CRecipeButton::EditParallelBlockDelay()
{
    return false;
}
