// The editing commands of the text-recipe view: indent, move, hide, breakpoints, constraints and
// the clipboard commands; their enabling from the view's lines.

#include "foundation/common/CommandIds.h"
#include "recipe/transitions/RecipeKeywords.h"
#include "recipe/view/QuorvantaView.h"
#include "recipe/view/RecipeButton.h"

namespace {
bool IsItemLine(int kind)
{
    return kind == RECIPE_LINE_UNIT_PROCEDURE || kind == RECIPE_LINE_OPERATION;
}

// The operation at index lies inside a parallel block: blocks pair their start and end lines as
// a stack does, so an inner alternative block leaves the parallel one around it open.
bool InParallelBlock(const QList<CRecipeButton*>& lines, int index)
{
    QList<bool> open; // true for a parallel block
    for (int j = 0; j < index; ++j) {
        const QString& type = lines.at(j)->line().typeText;
        if (IsBlockStart(type))
            open << IsRecipeType(type, START_PARALLEL);
        else if (IsBlockEnd(type) && !open.isEmpty())
            open.removeLast();
    }
    return open.contains(true);
}
} // namespace

bool CQUORVANTAView::updateEditUI(int commandID, bool* enabled) const
{
    const CRecipeButton* selected = GetFirstSelectedLine();
    const int kind = selected ? selected->GetItemType() : 0;
    switch (commandID) {
    case ID_INDENT_LEFT:
        *enabled = m_bMultiSelect || (selected && selected->line().indent > 1);
        return true;
    case ID_INDENT_RIGHT:
        *enabled = m_bMultiSelect || (selected && selected->line().indent < 5);
        return true;
    case ID_EDIT_COPY:
    case ID_EDIT_CUT:
    case ID_EDIT_DELETE:
    case ID_TOGGLE_HIDE:
        *enabled = selected != nullptr;
        return true;
    case ID_MOVE_UP:
    case ID_MOVE_DOWN:
        *enabled = updateMoveUI(commandID);
        return true;
    case ID_REMOVE_ALL_BREAKPOINTS:
        *enabled = std::any_of(m_lineButtons.begin(), m_lineButtons.end(), [](const CRecipeButton* line) {
            return IsItemLine(line->GetItemType()) && line->line().breakpoint;
        });
        return true;
    case ID_INSERT_START_AFTER: // with nothing selected the command stays available and does nothing
        *enabled = !selected || (!m_bMultiSelect && IsItemLine(kind) && !selected->line().hidden);
        return true;
    case ID_INSERT_DELAY_IN_PARALLEL:
        *enabled = !m_bMultiSelect && selected &&
                   (IsStartParallelSelected() ||
                    (kind == RECIPE_LINE_OPERATION && InParallelBlock(m_lineButtons, GetFirstSelectedIndex())));
        return true;
    default:
        return false;
    }
}

bool CQUORVANTAView::runEditCommand(int commandID)
{
    switch (commandID) {
    case ID_INDENT_LEFT:
    case ID_INDENT_RIGHT:
        IndentSelectedLines(commandID == ID_INDENT_LEFT ? 1 : 2);
        return true;
    case ID_EDIT_COPY:
        OnEditCopy();
        return true;
    case ID_EDIT_CUT:
        OnEditCut();
        return true;
    case ID_EDIT_DELETE:
        OnEditDelete();
        return true;
    case ID_TOGGLE_HIDE:
        ToggleHide();
        return true;
    case ID_MOVE_UP:
        MoveUp();
        return true;
    case ID_MOVE_DOWN:
        MoveDown();
        return true;
    case ID_REMOVE_ALL_BREAKPOINTS:
        RemoveAllBreakpoints();
        return true;
    case ID_INSERT_START_AFTER:
        EditStartAfterConstraints();
        return true;
    case ID_INSERT_DELAY_IN_PARALLEL:
        EditParallelBlockConstraints();
        return true;
    default:
        return false;
    }
}
