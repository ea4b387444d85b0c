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

// The line at index goes before the line above it; false when nothing moved.
bool CQUORVANTAView::moveLineUp(int index)
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
    CRecipeEdit edit(*this);
    placeMovedLine(m_lineButtons.at(index), index - 1);
    const bool written = edit.Commit([this](CDaoDatabase&) {
        if (!DeleteInvalidConstraints(m_document.stepID))
            throw RecipeEditAborted();
    });
    ClearConstraintLists();
    return written;
}

// In memory: the line at its new index, numbers counted again; a unit procedure's lines take its
// hidden flag as a re-inserted unit procedure's do.
void CQUORVANTAView::placeMovedLine(CRecipeButton* line, int index)
{
    m_lineButtons.move(m_lineButtons.indexOf(line), index);
    renumberLines(0, 0, 1);
    if (line->GetItemType() != RECIPE_LINE_UNIT_PROCEDURE)
        return;
    for (int j = index + 1; j < LineCount() && Line(j)->GetItemType() != RECIPE_LINE_UNIT_PROCEDURE; ++j)
        Line(j)->line().hidden = line->line().hidden;
}

bool CQUORVANTAView::MoveUp()
{
    const int index = GetFirstSelectedIndex();
    if (m_bMultiSelect || index < 1)
        return false;
    const bool moved = moveLineUp(index);
    if (!moved)
        return false;
    RecalcLayout(false, viewport()->width(), viewport()->height());
    SelectItem(index - 1);
    ScrollLineIntoView(index - 1);
    viewport()->update();
    const int kind = Line(index - 1)->GetItemType();
    if (index - 1 > 0 && (kind == RECIPE_LINE_UNIT_PROCEDURE || kind == RECIPE_LINE_OPERATION))
        RefreshStep(m_document.stepID);
    RefreshAutomationModel(m_document.stepID);
    RefreshStepRecipeViews(m_document.stepID, this);
    NotifyFrameOfSelection();
    SetProjectModified(true);
    return true;
}

// The line below goes above the selected one, which stays selected.
bool CQUORVANTAView::MoveDown()
{
    const int index = GetFirstSelectedIndex();
    if (m_bMultiSelect || index < 0 || index + 1 >= LineCount())
        return false;
    CRecipeButton* selected = m_lineButtons.at(index);
    SelectItem(index + 1);
    const bool moved = MoveUp();
    SelectItem(int(m_lineButtons.indexOf(selected)));
    if (moved)
        NotifyFrameOfSelection();
    return moved;
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
