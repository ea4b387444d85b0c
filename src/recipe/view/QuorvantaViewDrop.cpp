// Lines dropped on a recipe window: moved within the window, moved from another step's window
// (copied when that step's facility differs), or dropped into an empty window.

#include "foundation/common/MessageBox.h"
#include "recipe/view/QuorvantaView.h"
#include "recipe/view/RecipeButton.h"
#include "recipe/view/RecipeClipboard.h"
#include "recipe/view/RecipeLineDrag.h"

namespace {
const char* const CONSTRAINTS_DROP_QUESTION = "The following Start-After constraints specified are no longer valid and "
                                              "will be removed. Do you wish to continue?\n";

void ShowDropRefusal(const char* text)
{
    QvMessageBox(QString::fromLatin1(text), MB_OK);
}
} // namespace

void CQUORVANTAView::ShowDropTarget(CRecipeButton* line)
{
    const int index = line && !line->IsSelected() ? int(m_lineButtons.indexOf(line)) : -1;
    if (index == m_nDropIndex)
        return;
    if (CRecipeButton* previous = Line(m_nDropIndex))
        previous->SetDropHighlight(false);
    m_nDropIndex = index;
    if (index >= 0)
        line->SetDropHighlight(true);
}

bool CQUORVANTAView::DropOnLine(const RecipeDragSourceInfo& source, CRecipeButton* target)
{
    ShowDropTarget(nullptr);
    const int index = int(m_lineButtons.indexOf(target));
    if (index < 0 || !source.view || !source.line)
        return false;
    if (dropRefused(source, index)) {
        OnLineClicked(target, false);
        return false;
    }
    if (source.view != this)
        return dropFromOtherView(source, target);
    if (!dropConstraintsAccepted(source, index)) {
        OnLineClicked(target, false);
        return false;
    }
    return moveWithinView(source.line, target);
}

// Drops that move nothing: onto the dragged line itself, from another window of this step, a unit
// procedure into itself, an operation before the first unit procedure.
bool CQUORVANTAView::dropRefused(const RecipeDragSourceInfo& source, int target)
{
    const CRecipeButton* line = Line(target);
    if (source.stepID == m_document.stepID && (source.view != this || line == source.line))
        return true;
    if (source.kind == RECIPE_LINE_UNIT_PROCEDURE && line->GetItemType() != RECIPE_LINE_UNIT_PROCEDURE) {
        int holder = target;
        while (holder >= 0 && Line(holder)->GetItemType() != RECIPE_LINE_UNIT_PROCEDURE)
            --holder;
        if (holder >= 0 && source.stepID == m_document.stepID && Line(holder)->GetButtonID() == source.itemID) {
            ShowDropRefusal("Invalid drag and drop!");
            return true;
        }
    }
    if (source.kind == RECIPE_LINE_OPERATION && !m_bInsertAfter) {
        for (int j = target - 1; j >= 0; --j) {
            if (Line(j)->GetItemType() == RECIPE_LINE_UNIT_PROCEDURE)
                return false;
        }
        ShowDropRefusal("Can't drop an Operation before the first Unit Procedure!");
        return true;
    }
    return false;
}

// Within one window: the Start-After links the move breaks, removed on Yes; the lists stay filled
// for the move's cut and paste.
bool CQUORVANTAView::dropConstraintsAccepted(const RecipeDragSourceInfo& source, int target)
{
    QList<StartAfterLink> links;
    const int position = InsertPosition();
    const bool unitProcedure = source.kind == RECIPE_LINE_UNIT_PROCEDURE;
    if (unitProcedure)
        CollectUnitProcedureDropLinks(source.itemID, target, position, links);
    else if (source.kind == RECIPE_LINE_OPERATION)
        CollectStartAfterLinks(source.itemID, position == 1 ? target - 1 : target, source.kind, links);
    if (!CheckStartAfterConstraints(links, unitProcedure))
        return true;
    if (QvMessageBox(QString::fromLatin1(CONSTRAINTS_DROP_QUESTION) + m_strConstraintMessage,
                     MB_YESNO | MB_ICONQUESTION | MB_DEFBUTTON2) == IDYES)
        return true;
    ClearConstraintLists();
    return false;
}

// The copy, then one transaction: the dragged lines cut, the copy pasted next to the target.
bool CQUORVANTAView::moveWithinView(CRecipeButton* source, CRecipeButton* target)
{
    if (!OnEditCopy()) {
        ClearConstraintLists();
        return false;
    }
    const bool moved = pasteClipboard([this, source, target] {
        const int from = int(m_lineButtons.indexOf(source));
        if (from < 0)
            return false;
        selectQuietly(from);
        if (!DeleteSelectedItems(QStringLiteral("DragCut")))
            return false;
        const int to = int(m_lineButtons.indexOf(target));
        selectQuietly(to);
        return to >= 0;
    });
    ClearConstraintLists();
    return moved;
}

// From another step: the source copies, this window pastes and commits, then the source cuts what
// it copied; another facility only copies (its paste asks first).
bool CQUORVANTAView::dropFromOtherView(const RecipeDragSourceInfo& source, CRecipeButton* target)
{
    CQUORVANTAView* from = source.view;
    const bool sameFacility = RecipeClipboard::StepFacilityID(m_document.stepID) == source.facilityID;
    ClearConstraintLists();
    if (target)
        OnLineClicked(target, false);
    if (!from || !from->OnEditCopy())
        return false;
    m_bDragCutPending = !sameFacility;
    const bool pasted = OnEditPaste();
    if (pasted && sameFacility && from)
        from->CutDraggedLines();
    return pasted;
}

bool CQUORVANTAView::DropIntoEmptyWindow(const RecipeDragSourceInfo& source)
{
    CQUORVANTAView* from = source.view;
    if (!m_lineButtons.isEmpty() || !from)
        return false;
    for (const CRecipeButton* line : from->lines()) {
        const int kind = line->GetItemType();
        if (!line->IsSelected() || (kind != RECIPE_LINE_UNIT_PROCEDURE && kind != RECIPE_LINE_OPERATION))
            continue;
        return kind == RECIPE_LINE_UNIT_PROCEDURE && dropFromOtherView(source, nullptr);
    }
    return false;
}

bool CQUORVANTAView::CutDraggedLines()
{
    return m_bMultiSelect ? DeleteSelectedLinesOneByOne(QStringLiteral("DragCut"))
                          : DeleteSelectedItems(QStringLiteral("DragCut"));
}
