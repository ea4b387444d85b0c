// Move Up and Move Down: the selected line changes places with its neighbour. The line keeps its
// item, texts, Hide and Breakpoint; numbers, owners and a unit procedure's hidden lines follow its
// new place. Starts-After constraints the move breaks are deleted after the user agreed; the
// whole move is one transaction.

#include "foundation/common/CommandIds.h"
#include "foundation/common/MessageBox.h"
#include "foundation/common/WaitCursor.h"
#include "foundation/common/concerns/AppContext.h"
#include "foundation/common/concerns/SubsystemConcerns.h"
#include "recipe/view/QuorvantaView.h"
#include "recipe/view/RecipeButton.h"
#include "recipe/view/RecipeEdit.h"

namespace {
const char* const INVALID_CONSTRAINTS_QUESTION =
    "The following Start-After constraints specified are no longer valid and will be removed. Do you wish to "
    "continue?\n";
} // namespace

// An operation needs a unit procedure above the line it goes before.
bool CQUORVANTAView::moveAllowed(int index) const
{
    if (index < 1 || index >= LineCount())
        return false;
    if (m_lineButtons.at(index)->GetItemType() != RECIPE_LINE_OPERATION)
        return true;
    for (int j = index - 2; j >= 0; --j) {
        if (m_lineButtons.at(j)->GetItemType() == RECIPE_LINE_UNIT_PROCEDURE)
            return true;
    }
    return false;
}

// The lines a move of the line at index above its neighbour can change: those two, unless one is a
// unit procedure; then also the operations that follow it and the unit procedure last above them,
// whose successor may change, through the first unit procedure below them, which keeps its numbers.
std::pair<int, int> CQUORVANTAView::moveWindow(int index) const
{
    if (Line(index)->GetItemType() != RECIPE_LINE_UNIT_PROCEDURE &&
        Line(index - 1)->GetItemType() != RECIPE_LINE_UNIT_PROCEDURE)
        return {index - 1, index + 1};
    int from = index - 2;
    while (from > 0 && Line(from)->GetItemType() != RECIPE_LINE_UNIT_PROCEDURE)
        --from;
    int to = index + 1;
    while (to < LineCount() && Line(to)->GetItemType() != RECIPE_LINE_UNIT_PROCEDURE)
        ++to;
    return {qMax(from, 0), qMin(to + 1, LineCount())};
}

// The line at index goes before the line above it; false when nothing moved. `changed` takes the
// lines the move changed.
bool CQUORVANTAView::moveLineUp(int index, std::pair<int, int>* changed)
{
    if (m_document.stepID < 0 || !moveAllowed(index))
        return false;
    const RecipeLineRecord& moving = m_lineButtons.at(index)->line();
    QList<StartAfterLink> links;
    CollectStartAfterLinks(moving.itemID, index - 2, moving.kind, links); // lands after line index - 2
    if (CheckStartAfterConstraints(links, false) &&
        QvMessageBox(QString::fromLatin1(INVALID_CONSTRAINTS_QUESTION) + m_strConstraintMessage,
                     MB_YESNO | MB_ICONQUESTION | MB_DEFBUTTON2) != IDYES) {
        ClearConstraintLists();
        return false;
    }
    if (!CRecipeEdit::CanWrite(m_document.stepID)) {
        ClearConstraintLists();
        return false;
    }
    const WaitCursor wait;
    *changed = moveWindow(index);
    CRecipeEdit edit(*this, changed->first, changed->second);
    placeMovedLine(index, *changed);
    const bool written = edit.Commit([this](CDaoDatabase&) {
        if (!DeleteInvalidConstraints(m_document.stepID))
            throw RecipeEditAborted();
    });
    ClearConstraintLists();
    return written;
}

// In memory: the line at index goes one up, the changed lines are numbered again; a unit
// procedure's lines take its hidden flag as a re-inserted unit procedure's do.
void CQUORVANTAView::placeMovedLine(int index, std::pair<int, int> changed)
{
    m_lineButtons.swapItemsAt(index - 1, index);
    numberLinesBetween(changed.first, changed.second);
    const CRecipeButton* line = Line(index - 1);
    if (line->GetItemType() != RECIPE_LINE_UNIT_PROCEDURE)
        return;
    for (int j = index; j < LineCount() && Line(j)->GetItemType() != RECIPE_LINE_UNIT_PROCEDURE; ++j)
        Line(j)->line().hidden = line->line().hidden;
}

// After the line at movedUp went one up: the changed lines laid out, the selection shown, the
// Process Explorer, the automation model and the step's other views told.
void CQUORVANTAView::finishMove(int movedUp, int selected, std::pair<int, int> changed)
{
    relayoutLines(changed.first, changed.second);
    SelectItem(selected);
    ScrollLineIntoView(selected);
    viewport()->update();
    const int kind = Line(movedUp)->GetItemType();
    if (movedUp > 0 && (kind == RECIPE_LINE_UNIT_PROCEDURE || kind == RECIPE_LINE_OPERATION))
        RefreshStep(m_document.stepID);
    RefreshAutomationModel(m_document.stepID);
    RefreshStepRecipeViews(m_document.stepID, this);
    NotifyFrameOfSelection();
    SetProjectModified(true);
}

bool CQUORVANTAView::MoveUp()
{
    const int index = GetFirstSelectedIndex();
    std::pair<int, int> changed;
    if (m_bMultiSelect || index < 1 || !moveLineUp(index, &changed))
        return false;
    finishMove(index - 1, index - 1, changed);
    return true;
}

// The line below goes above the selected one, which stays selected.
bool CQUORVANTAView::MoveDown()
{
    const int index = GetFirstSelectedIndex();
    std::pair<int, int> changed;
    if (m_bMultiSelect || index < 0 || index + 1 >= LineCount() || !moveLineUp(index + 1, &changed))
        return false;
    finishMove(index, index + 1, changed);
    return true;
}

bool CQUORVANTAView::updateMoveUI(int commandID) const
{
    const int index = GetFirstSelectedIndex();
    if (m_bMultiSelect || index < 0)
        return false;
    const RecipeLineRecord& line = m_lineButtons.at(index)->line();
    if (commandID == ID_MOVE_DOWN) {
        if (index + 1 >= LineCount())
            return false;
        return !(line.kind == RECIPE_LINE_UNIT_PROCEDURE && line.unitProcedureNumber == 1 &&
                 Line(index + 1)->GetItemType() == RECIPE_LINE_OPERATION);
    }
    if (index == 0)
        return false;
    if (line.kind != RECIPE_LINE_OPERATION)
        return true;
    const RecipeLineRecord& above = m_lineButtons.at(index - 1)->line();
    return !(above.kind == RECIPE_LINE_UNIT_PROCEDURE && above.unitProcedureNumber == 1);
}
