// Selection, find, keys and mouse of the text-recipe view.

#include "foundation/common/CommandIds.h"
#include "foundation/common/MessageBox.h"
#include "foundation/common/ServiceSlot.h"
#include "foundation/common/concerns/CommandDispatcher.h"
#include "foundation/common/concerns/DisplayOptions.h"
#include "foundation/common/concerns/SelectionService.h"
#include "foundation/common/concerns/SubsystemConcerns.h"
#include "recipe/view/QuorvantaView.h"
#include "recipe/view/RecipeButton.h"
#include "recipe/view/RecipeLineDrag.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QWheelEvent>

#include <utility>

CRecipeButton* CQUORVANTAView::GetFirstSelectedLine() const
{
    return Line(GetFirstSelectedIndex());
}

// A few selected lines are found by their pointers, without reading every line above them.
int CQUORVANTAView::GetFirstSelectedIndex() const
{
    if (m_selectedLines.size() <= FEW_SELECTED_LINES) {
        qsizetype first = -1;
        for (const QPointer<CRecipeButton>& line : m_selectedLines) {
            const qsizetype index = line && line->IsSelected() ? m_lineButtons.indexOf(line.data()) : -1;
            if (index >= 0 && (first < 0 || index < first))
                first = index;
        }
        return int(first);
    }
    for (int index = 0; index < LineCount(); ++index) {
        if (m_lineButtons.at(index)->IsSelected())
            return index;
    }
    return -1;
}

bool CQUORVANTAView::FindNextVisibleLine(int from, int* index, CRecipeButton** line) const
{
    for (int next = from + 1; next < LineCount(); ++next) {
        if (!m_lineButtons.at(next)->line().hidden) {
            *index = next;
            *line = m_lineButtons.at(next);
            return true;
        }
    }
    return false;
}

long CQUORVANTAView::GetSelectedOperationID() const
{
    const CRecipeButton* line = GetFirstSelectedLine();
    if (m_bMultiSelect || !line || line->GetItemType() != RECIPE_LINE_OPERATION || line->line().hidden)
        return -1;
    return line->GetButtonID();
}

int CQUORVANTAView::GetSelectedItemType() const
{
    const CRecipeButton* line = GetFirstSelectedLine();
    return m_bMultiSelect || !line ? -1 : line->GetItemType();
}

long CQUORVANTAView::GetSelectedItemID() const
{
    const CRecipeButton* line = GetFirstSelectedLine();
    return m_bMultiSelect || !line ? -1 : line->GetButtonID();
}

bool CQUORVANTAView::IsStartParallelSelected() const
{
    const CRecipeButton* line = GetFirstSelectedLine();
    return line && line->GetItemType() == RECIPE_LINE_PARALLEL &&
           line->line().typeText.compare(QLatin1String("Start Parallel"), Qt::CaseInsensitive) == 0;
}

// A click on the line, Ctrl down or not: what it selects, deselects and marks as a member of a
// selected unit procedure. A plain click leaves exactly this line selected.
void CQUORVANTAView::selectLine(int index, bool ctrl)
{
    CRecipeButton* chosen = m_lineButtons.at(index);
    const bool plain = !ctrl || m_bSingleSelectOnly;
    if (plain)
        clearGroupMarks(chosen);
    if (m_bMultiSelect && !ctrl)
        m_bMultiSelect = false;
    if (chosen->GetItemType() == RECIPE_LINE_UNIT_PROCEDURE)
        clickUnitProcedure(index, ctrl);
    else if (ctrl)
        ctrlClickLine(chosen);
    if (plain) {
        DeselectOthers(chosen);
        chosen->SetSelected(true);
    }
    reportSelection();
}

// Every mark goes the first time; after that only the clicked line's.
void CQUORVANTAView::clearGroupMarks(CRecipeButton* clicked)
{
    if (m_bGroupMarksCleared) {
        clicked->SetInGroup(false);
        return;
    }
    for (CRecipeButton* line : std::as_const(m_lineButtons))
        line->SetInGroup(false);
    m_bGroupMarksCleared = true;
}

void CQUORVANTAView::clickUnitProcedure(int index, bool ctrl)
{
    CRecipeButton* unitProcedure = m_lineButtons.at(index);
    if (ctrl && unitProcedure->IsSelected()) {
        for (int next = index + 1; next < LineCount() && Line(next)->GetItemType() != RECIPE_LINE_UNIT_PROCEDURE; ++next)
            Line(next)->SetInGroup(false);
        unitProcedure->SetSelected(false);
        return;
    }
    MarkUnitProcedureGroup(index);
    m_bGroupMarksCleared = false;
    if (!ctrl)
        return;
    unitProcedure->SetSelected(true);
    if (!m_bSingleSelectOnly)
        m_bMultiSelect = true;
}

// A line of a selected unit procedure stays as it is: the unit procedure takes it along.
void CQUORVANTAView::ctrlClickLine(CRecipeButton* line)
{
    if (line->IsSelected()) {
        line->SetSelected(false);
    } else if (!line->IsInGroup()) {
        line->SetSelected(true);
        if (!m_bSingleSelectOnly)
            m_bMultiSelect = true;
    }
}

void CQUORVANTAView::MarkUnitProcedureGroup(int index)
{
    for (int next = index + 1; next < LineCount() && Line(next)->GetItemType() != RECIPE_LINE_UNIT_PROCEDURE; ++next) {
        Line(next)->SetSelected(false);
        Line(next)->SetInGroup(true);
    }
}

void CQUORVANTAView::DeselectOthers(const CRecipeButton* keep)
{
    for (const QPointer<CRecipeButton>& line : std::exchange(m_selectedLines, {})) {
        if (!line)
            continue;
        if (line != keep)
            line->SetSelected(false);
        else if (line->IsSelected() && !m_selectedLines.contains(line))
            m_selectedLines.append(line);
    }
}

// Lines selected and deselected again stay listed until the next deselection; the list is pruned
// before it outgrows the lines.
void CQUORVANTAView::NoteLineSelected(CRecipeButton* line)
{
    if (m_selectedLines.size() > LineCount() + 16)
        m_selectedLines.removeIf([](const QPointer<CRecipeButton>& listed) { return !listed || !listed->IsSelected(); });
    m_selectedLines.append(line);
}

void CQUORVANTAView::SelectItem(int index)
{
    if (index >= 0 && index < LineCount())
        selectLine(index, false);
}

void CQUORVANTAView::reportSelection()
{
    SelectionService* selection = ServiceSlot<SelectionService>::Get();
    if (!selection)
        return;
    ContextRecord context;
    context.kind = CONTEXT_TEXT_RECIPE;
    std::tie(context.stepID, context.processID) = std::pair(m_document.stepID, m_document.processID);
    context.stepLabel = m_document.stepTitle;
    selection->ReportSelection(this, context);
}

// A click on a line: selected (Ctrl adds or removes it), and the Process Explorer and the result
// windows follow a unit procedure or an operation.
void CQUORVANTAView::OnLineClicked(CRecipeButton* line, bool ctrl)
{
    const int index = int(m_lineButtons.indexOf(line));
    if (index < 0)
        return;
    selectLine(index, ctrl);
    const int kind = line->GetItemType();
    if (m_bSyncHeldOff || m_bPasting || m_bMultiSelect ||
        (kind != RECIPE_LINE_UNIT_PROCEDURE && kind != RECIPE_LINE_OPERATION))
        return;
    SelectProcessTreeItem(line->GetStepID(), line->GetButtonID(), kind);
    SyncLinkedWindows(line->GetStepID(), line->GetButtonID(), LinkedItemType(kind), SyncSource::RecipeView);
}

void CQUORVANTAView::OnLineMouseMove(CRecipeButton*, QMouseEvent*)
{
    // Lines dragged between recipe windows come with the clipboard feature.
}

bool CQUORVANTAView::lineMatches(const CRecipeButton* line, const QString& text, bool matchCase) const
{
    const Qt::CaseSensitivity sensitivity = matchCase ? Qt::CaseSensitive : Qt::CaseInsensitive;
    const RecipeLineRecord& record = line->line();
    return line->text().contains(text, sensitivity) || record.commentText.contains(text, sensitivity) ||
           record.rangeText.contains(text, sensitivity);
}

void CQUORVANTAView::FindText(const QString& text, bool matchCase, bool searchDown)
{
    const int start = GetFirstSelectedIndex();
    const int step = searchDown ? 1 : -1;
    for (int index = start < 0 ? LineCount() : start + step; index >= 0 && index < LineCount(); index += step) {
        if (lineMatches(m_lineButtons.at(index), text, matchCase)) {
            SelectItem(index);
            ensureLineVisible(index, searchDown);
            return;
        }
    }
    QvMessageBox(QStringLiteral("Cannot find '") + text + QStringLiteral("'."), MB_OK);
}

void CQUORVANTAView::OnKeyDown(int key, Qt::KeyboardModifiers modifiers)
{
    const bool ctrl = modifiers.testFlag(Qt::ControlModifier);
    const int selected = GetFirstSelectedIndex();
    switch (key) {
    case Qt::Key_PageUp:
        OnVScroll(ScrollCode::PageUp);
        break;
    case Qt::Key_PageDown:
        OnVScroll(ScrollCode::PageDown);
        break;
    case Qt::Key_Home:
        ctrl ? OnVScroll(ScrollCode::Top) : OnHScroll(ScrollCode::Top);
        break;
    case Qt::Key_End:
        ctrl ? OnVScroll(ScrollCode::Bottom) : OnHScroll(ScrollCode::Bottom);
        break;
    case Qt::Key_Left:
        OnHScroll(ScrollCode::LineUp);
        break;
    case Qt::Key_Right:
        OnHScroll(ScrollCode::LineDown);
        break;
    case Qt::Key_Up:
        if (selected > 0) {
            OnLineClicked(m_lineButtons.at(selected - 1), false);
            ensureLineVisible(selected - 1, false);
        }
        break;
    case Qt::Key_Down:
        if (selected >= 0 && selected + 1 < LineCount()) {
            OnLineClicked(m_lineButtons.at(selected + 1), false);
            ensureLineVisible(selected + 1, true);
        }
        break;
    case Qt::Key_Tab:
        DispatchCommand(modifiers.testFlag(Qt::ShiftModifier) ? ID_INDENT_LEFT : ID_INDENT_RIGHT, this);
        break;
    case Qt::Key_Backtab: // Shift+Tab
        DispatchCommand(ID_INDENT_LEFT, this);
        break;
    case Qt::Key_Delete:
        DispatchCommand(ID_EDIT_DELETE, this);
        break;
    case Qt::Key_Return:
    case Qt::Key_Enter:
        DispatchCommand(ID_EDIT_SELECTION, this);
        break;
    case Qt::Key_Escape:
        if (CRecipeLineDrag* drag = CRecipeLineDrag::Installed())
            drag->Cancel();
        break;
    default:
        break;
    }
    setFocus();
}

// Tab and Shift+Tab indent lines here rather than move the focus on.
bool CQUORVANTAView::focusNextPrevChild(bool)
{
    return false;
}

void CQUORVANTAView::keyPressEvent(QKeyEvent* event)
{
    OnKeyDown(event->key(), event->modifiers());
}

void CQUORVANTAView::wheelEvent(QWheelEvent* event)
{
    OnMouseWheel(event->angleDelta().y());
    event->accept();
}

void CQUORVANTAView::mousePressEvent(QMouseEvent* event)
{
    if (event->button() == Qt::RightButton)
        ShowContextMenu(event->globalPosition().toPoint());
    setFocus();
}

// A click on a remark mark opens the operation's quick results.
void CQUORVANTAView::mouseReleaseEvent(QMouseEvent* event)
{
    const QPoint point = event->position().toPoint();
    const int x = point.x() + m_nHorzPos;
    const int y = point.y() - m_nScrollOffsetY;
    if (x < 19 || x > 26 || !CurrentDisplayOptions().warnings)
        return;
    for (const CRecipeButton* line : std::as_const(m_lineButtons)) {
        const RecipeLineRecord& record = line->line();
        if (record.kind == RECIPE_LINE_OPERATION && record.severity >= 0 && y >= line->m_top &&
            y - line->m_top < 9) {
            SelectAndShowItem(record.itemID, RECIPE_LINE_OPERATION);
            ShowQuickResults(record.stepID, record.itemID);
            return;
        }
    }
}
