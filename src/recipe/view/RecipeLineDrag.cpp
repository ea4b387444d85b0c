#include "recipe/view/RecipeLineDrag.h"

#include "foundation/common/ServiceSlot.h"
#include "recipe/view/QuorvantaView.h"
#include "recipe/view/RecipeButton.h"
#include "recipe/view/RecipeClipboard.h"

#include <QApplication>
#include <QCursor>

namespace {
// The drag cursors over another recipe window: moving lines, and with Ctrl held.
QCursor DragCursor(bool ctrl)
{
    return QCursor(ctrl ? Qt::DragCopyCursor : Qt::DragMoveCursor);
}
} // namespace

CRecipeLineDrag* CRecipeLineDrag::Installed()
{
    return ServiceSlot<CRecipeLineDrag>::Get();
}

void CRecipeLineDrag::Arm(CRecipeButton* line, const QPoint& globalPos)
{
    end();
    CQUORVANTAView* view = line->view();
    std::tie(m_pDragSourceView, m_pDragLine, m_pressPos) = std::tuple(view, line, globalPos);
    std::tie(m_sourceStepID, m_sourceItemID, m_sourceKind) =
        std::tuple(line->GetStepID(), line->GetButtonID(), line->GetItemType());
    m_sourceFacilityID = RecipeClipboard::StepFacilityID(m_sourceStepID);
}

CQUORVANTAView* CRecipeLineDrag::dragSourceView() const
{
    return m_pDragSourceView;
}

RecipeDragSourceInfo CRecipeLineDrag::source() const
{
    return {m_pDragSourceView, m_pDragLine, m_sourceStepID, m_sourceItemID, m_sourceKind, m_sourceFacilityID};
}

CQUORVANTAView* CRecipeLineDrag::ViewAt(const QPoint& globalPos, CRecipeButton** line)
{
    *line = nullptr;
    for (QWidget* w = QApplication::widgetAt(globalPos); w; w = w->parentWidget()) {
        if (auto* button = qobject_cast<CRecipeButton*>(w); button && !*line)
            *line = button;
        if (auto* view = qobject_cast<CQUORVANTAView*>(w))
            return view;
    }
    *line = nullptr;
    return nullptr;
}

void CRecipeLineDrag::Move(const QPoint& globalPos, bool ctrl)
{
    if (!IsArmed() || !m_pDragLine) {
        end();
        return;
    }
    if (!m_dragging && (globalPos - m_pressPos).manhattanLength() < QApplication::startDragDistance())
        return;
    m_dragging = true;
    CRecipeButton* line = nullptr;
    CQUORVANTAView* view = ViewAt(globalPos, &line);
    showDropTarget(view, line);
    showCursor(view && view != m_pDragSourceView, ctrl);
}

bool CRecipeLineDrag::Release(const QPoint& globalPos)
{
    const bool dragging = IsDragging() && m_pDragLine;
    const RecipeDragSourceInfo from = source();
    end();
    if (!dragging)
        return false;
    CRecipeButton* line = nullptr;
    CQUORVANTAView* view = ViewAt(globalPos, &line);
    if (!view)
        return false;
    return line ? view->DropOnLine(from, line) : view->DropIntoEmptyWindow(from);
}

void CRecipeLineDrag::Cancel()
{
    end();
}

void CRecipeLineDrag::showDropTarget(CQUORVANTAView* view, CRecipeButton* line)
{
    if (m_hoverView && m_hoverView != view)
        m_hoverView->ShowDropTarget(nullptr);
    m_hoverView = view;
    if (view)
        view->ShowDropTarget(line);
}

void CRecipeLineDrag::showCursor(bool overOtherWindow, bool ctrl)
{
    if (!overOtherWindow) {
        if (std::exchange(m_cursorShown, false))
            QApplication::restoreOverrideCursor();
        return;
    }
    if (!m_cursorShown)
        QApplication::setOverrideCursor(DragCursor(ctrl));
    else if (m_copyCursor != ctrl)
        QApplication::changeOverrideCursor(DragCursor(ctrl));
    std::tie(m_cursorShown, m_copyCursor) = std::pair(true, ctrl);
}

void CRecipeLineDrag::end()
{
    showCursor(false, false);
    showDropTarget(nullptr, nullptr);
    m_pDragSourceView.clear();
    m_pDragLine.clear();
    m_dragging = false;
    std::tie(m_sourceStepID, m_sourceItemID, m_sourceKind, m_sourceFacilityID) = std::tuple(-1L, -1L, 0, -1L);
}
