#include "recipe/view/RecipeButton.h"

#include "foundation/common/concerns/AppContext.h"
#include "foundation/common/concerns/FrameServices.h"
#include "foundation/common/concerns/SubsystemConcerns.h"
#include "modules/engine/EngineEntry.h"
#include "modules/opdialog/ConstraintDialogs.h"
#include "modules/sharedclasses/SharedParallelBlockStructure.h"
#include "recipe/edit/RecipeItemEditors.h"
#include "recipe/view/QuorvantaView.h"
#include "recipe/view/RecipeLineDrag.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>

namespace {
const QColor KEYWORD_COLOUR(0, 0, 255);
const QColor HIDDEN_COLOUR(0, 255, 0);
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

void CRecipeButton::noteSelected()
{
    if (m_view)
        m_view->NoteLineSelected(this);
}

void CRecipeButton::SetText(const QString& text)
{
    m_line.displayText = text;
    m_measuredWidth = -1;
    update();
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
    int height = m_view->textHeights().Height(font(), m_line.displayText, width, &m_singleLineHeight);
    height = qMax(height, m_singleLineHeight);
    if (m_view->IsJapanese())
        height += 3 * height / m_singleLineHeight;
    m_measuredWidth = width;
    m_height = height;
    return height;
}

void CRecipeButton::TakeTexts(const RecipeLineRecord& texts)
{
    m_line.unitProcedureName = texts.unitProcedureName;
    m_line.operationLabel = texts.operationLabel;
    m_line.recipeText = texts.recipeText;
    m_line.commentText = texts.commentText;
    m_line.rangeText = texts.rangeText;
    SetText(texts.displayText);
}

void CRecipeButton::Click()
{
    m_view->OnLineClicked(this, false);
}

// Keyword lines are blue; a selected line takes the highlight colours, hidden or not; an unselected
// hidden line is green, on the highlight brush while it is the drop target.
std::pair<QBrush, QColor> CRecipeButton::colours() const
{
    const QPalette& palette = this->palette();
    const QColor text = IsKeywordLine(m_line.kind) ? KEYWORD_COLOUR : palette.text().color();
    if (m_selected)
        return {palette.highlight(), palette.highlightedText().color()};
    if (m_line.hidden)
        return {m_dropHighlight ? palette.highlight() : palette.base(), HIDDEN_COLOUR};
    if (m_dropHighlight)
        return {palette.highlight(), palette.highlightedText().color()};
    return {palette.base(), text};
}

void CRecipeButton::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    const auto [brush, text] = colours();
    painter.fillRect(rect(), brush);
    painter.setPen(text);
    painter.drawText(rect(), RECIPE_TEXT_FLAGS, m_line.displayText);
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

// The press before it selected the line; the base handler is not called (its press would arm a drag).
void CRecipeButton::mouseDoubleClickEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton)
        Edit();
    else
        mousePressEvent(event);
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

// The editors return at once when they reloaded the views: this line is retiring then.
bool CRecipeButton::EditUnitProcedure()
{
    const RecipeItemEdit edit = RunUnitProcedureEditor(m_line.stepID, m_line.itemID);
    return edit == RecipeItemEdit::Changed;
}

bool CRecipeButton::EditOperation()
{
    const RecipeItemEdit edit = RunOperationEditor(m_line.stepID, m_line.itemID);
    if (edit == RecipeItemEdit::Reloaded)
        return false;
    setFocus();
    return edit == RecipeItemEdit::Changed;
}

bool CRecipeButton::EditParallelBlockDelay()
{
    const long stepID = m_line.stepID;
    if (OPDialogParallelBlockDelay(GetProjectFilePath(), stepID, m_line.itemID) == 0)
        return false;
    RefreshStepPanes();
    const CSharedParallelBlockStructure blocks(stepID);
    for (long operationID : blocks.getParallelOperationSet(m_line.itemID)) {
        if (EngineEntry* engine = GetEngineEntry())
            engine->operationModified(stepID, operationID, 1);
    }
    return true;
}
