// Indenting, hiding and clearing the breakpoints of recipe lines: the lines change in memory and
// their rows in one transaction; icons, engine notices and refreshes follow the commit.

#include "foundation/common/WaitCursor.h"
#include "foundation/common/concerns/AppContext.h"
#include "foundation/common/concerns/FrameServices.h"
#include "foundation/common/concerns/SubsystemConcerns.h"
#include "modules/engine/EngineEntry.h"
#include "recipe/transitions/RecipeKeywords.h"
#include "recipe/view/QuorvantaView.h"
#include "recipe/view/RecipeButton.h"
#include "recipe/view/RecipeEdit.h"

namespace {
constexpr int LEFTMOST_INDENT = 1;
constexpr int RIGHTMOST_INDENT = 5;

void TellEngine(long stepID, long operationID)
{
    if (EngineEntry* engine = GetEngineEntry())
        engine->operationModified(stepID, operationID, 1);
}
} // namespace

void CQUORVANTAView::IndentSelectedLines(int direction)
{
    if (m_document.stepID < 0 || (direction != 1 && direction != 2))
        return;
    QList<CRecipeButton*> changed;
    for (CRecipeButton* line : std::as_const(m_lineButtons)) {
        const int indent = line->line().indent;
        if (!line->IsSelected() || (direction == 1 && indent <= LEFTMOST_INDENT) ||
            (direction == 2 && indent >= RIGHTMOST_INDENT))
            continue;
        changed << line;
        if (!m_bMultiSelect)
            break;
    }
    if (changed.isEmpty() || !CRecipeEdit::CanWrite(m_document.stepID))
        return;
    CRecipeEdit edit(*this);
    for (CRecipeButton* line : std::as_const(changed))
        line->line().indent += direction == 1 ? -1 : 1;
    if (!edit.Commit())
        return;
    RecalcLayout(false, viewport()->width(), viewport()->height()); // wrapped lines measured again
    viewport()->update();
    RefreshStepRecipeViews(m_document.stepID, this);
    SetProjectModified(true);
}

// A changed line in memory, remembered for what follows the commit.
void CQUORVANTAView::changeHidden(CRecipeButton* line, bool hidden, QList<CRecipeButton*>& changed)
{
    if (line->line().hidden == hidden)
        return;
    line->line().hidden = hidden;
    changed << line;
}

void CQUORVANTAView::ToggleHide()
{
    if (m_document.stepID < 0 || GetFirstSelectedIndex() < 0 || !CRecipeEdit::CanWrite(m_document.stepID))
        return;
    CRecipeEdit edit(*this);
    QList<CRecipeButton*> changed;
    std::optional<bool> unitProcedureValue; // the value of a selected unit procedure's lines
    bool done = false;
    for (CRecipeButton* line : std::as_const(m_lineButtons)) {
        if (line->GetItemType() == RECIPE_LINE_UNIT_PROCEDURE)
            unitProcedureValue.reset();
        if (unitProcedureValue) {
            changeHidden(line, *unitProcedureValue, changed);
            continue;
        }
        if (done || !line->IsSelected())
            continue;
        if (line->GetItemType() == RECIPE_LINE_UNIT_PROCEDURE)
            unitProcedureValue = !line->line().hidden;
        changeHidden(line, !line->line().hidden, changed);
        done = !m_bMultiSelect;
    }
    if (changed.isEmpty() || !edit.Commit())
        return;
    for (CRecipeButton* line : std::as_const(changed)) {
        if (line->GetItemType() == RECIPE_LINE_OPERATION)
            SetOperationHiddenIcon(m_document.stepID, line->GetButtonID(), line->line().hidden);
        line->update();
        if (line->GetItemType() == RECIPE_LINE_SERIES)
            tellEngineOfSeries(line);
    }
    viewport()->update();
    RefreshStepRecipeViews(m_document.stepID, this);
    SetProjectModified(true);
    RefreshStepPanes();
}

// A hidden "Series" changes the block from the operation after it; one shown again changes it
// from the operation after the nearest block keyword above.
void CQUORVANTAView::tellEngineOfSeries(const CRecipeButton* series)
{
    int from = int(m_lineButtons.indexOf(series));
    if (!series->line().hidden) {
        while (--from >= 0 && !IsBlockStart(Line(from)->line().typeText) && !IsBlockEnd(Line(from)->line().typeText)) {
        }
        if (from < 0)
            return;
    }
    for (int j = from + 1; j < LineCount(); ++j) {
        if (Line(j)->GetItemType() == RECIPE_LINE_OPERATION) {
            TellEngine(m_document.stepID, Line(j)->GetButtonID());
            return;
        }
    }
}

void CQUORVANTAView::RemoveAllBreakpoints()
{
    if (m_document.stepID < 0 || !CRecipeEdit::CanWrite(m_document.stepID))
        return;
    CRecipeEdit edit(*this);
    bool changed = false;
    for (CRecipeButton* line : std::as_const(m_lineButtons)) {
        const int kind = line->GetItemType();
        if ((kind == RECIPE_LINE_UNIT_PROCEDURE || kind == RECIPE_LINE_OPERATION) && line->line().breakpoint) {
            line->line().breakpoint = false;
            changed = true;
        }
    }
    if (!changed || !edit.Commit())
        return;
    viewport()->update();
    RefreshStepRecipeViews(m_document.stepID, this);
    SetProjectModified(true);
}
