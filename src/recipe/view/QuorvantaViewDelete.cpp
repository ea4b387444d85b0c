// Deleting and cutting recipe lines: one line with what belongs to it, or every selected line.
// The lines change in memory, the rows follow in one transaction, the refreshes after the commit.

#include "foundation/common/MessageBox.h"
#include "foundation/common/WaitCursor.h"
#include "foundation/common/concerns/AppContext.h"
#include "foundation/common/concerns/StreamServices.h"
#include "foundation/common/concerns/SubsystemConcerns.h"
#include "recipe/edit/RecipeConstraints.h"
#include "recipe/transitions/RecipeKeywords.h"
#include "recipe/view/QuorvantaView.h"
#include "recipe/view/RecipeButton.h"
#include "recipe/view/RecipeEdit.h"
#include "recipe/view/RecipeWindows.h"

namespace {
enum DeleteMode { DELETE_MODE, CUT_MODE, DRAG_CUT_MODE, UNIT_PROCEDURE_MODE, MOVE_MODE };

int DeleteModeOf(const QString& mode)
{
    static const QStringList modes = {QStringLiteral("Delete"), QStringLiteral("Cut"),
                                      QStringLiteral("DragCut"), QStringLiteral("Unit Procedure")};
    for (int n = 0; n < modes.size(); ++n) {
        if (mode.compare(modes.at(n), Qt::CaseInsensitive) == 0)
            return n;
    }
    return MOVE_MODE;
}

bool AskedYes(const char* question)
{
    return QvMessageBox(QString::fromLatin1(question), MB_YESNO | MB_ICONQUESTION | MB_DEFBUTTON2) == IDYES;
}

// "\r<stream> is ued in <operations>" per stream, one per line.
QString StreamListText(const QList<StreamReference>& streams)
{
    QStringList lines;
    for (const StreamReference& stream : streams)
        lines << QStringLiteral("\r") + stream.streamName + QStringLiteral(" is ued in ") +
                     stream.operationNames.join(QStringLiteral(", "));
    return lines.join(QStringLiteral("\n"));
}

bool ConfirmOperationDelete(long stepID, long operationID, bool cut)
{
    const QList<StreamReference> streams = StreamUsedInOtherOperation(stepID, operationID);
    if (!streams.isEmpty()) {
        const QString verb = cut ? QStringLiteral("cut") : QStringLiteral("delete");
        QvMessageBox(
            QStringLiteral("Tamro Plenthover cannot ") + verb +
                QStringLiteral(" this operation as following stream are used in other operation: \n") +
                StreamListText(streams),
            MB_OK);
        return false;
    }
    return AskedYes(cut ? "Do you really want to cut this operation ?"
                        : "Do you really want to delete this operation ?");
}
} // namespace

bool CQUORVANTAView::confirmDelete(int index, int mode)
{
    if (mode != DELETE_MODE && mode != CUT_MODE)
        return true;
    const bool cut = mode == CUT_MODE;
    const RecipeLineRecord& line = m_lineButtons.at(index)->line();
    if (line.kind == RECIPE_LINE_UNIT_PROCEDURE)
        return AskedYes(
            cut ? "This will cut all Operations that belong to this Unit Procedure. Do you really "
                  "want to cut it ?"
                : "This will delete all Operations that belong to this Unit Procedure. Do you "
                  "really want to delete it ?");
    if (line.kind == RECIPE_LINE_OPERATION)
        return ConfirmOperationDelete(m_document.stepID, line.itemID, cut);
    return AskedYes(cut ? "Do you really want to cut this keyword ?"
                        : "Do you really want to delete this keyword ?");
}

// A delete or a cut takes the constraints naming its lines along; only a move's own cut keeps
// them, for its paste to carry over to the new ids.
bool CQUORVANTAView::dropsConstraintsOfRemoved(int mode) const
{
    return !m_bPasting && (mode == DELETE_MODE || mode == CUT_MODE || mode == DRAG_CUT_MODE);
}

// A visible keyword line of a dragged unit procedure stays in its window unless the structure
// after it still holds an operation: the copy took exactly the keyword lines this removes.
bool CQUORVANTAView::keepsKeywordOnDragCut(int index) const
{
    const RecipeLineRecord& line = m_lineButtons.at(index)->line();
    if (line.hidden || IsBlockEnd(line.typeText))
        return false;
    int next = index;
    CRecipeButton* after = nullptr;
    if (!FindNextVisibleLine(next, &next, &after))
        return true;
    if (line.kind == RECIPE_LINE_SERIES)
        return after->GetItemType() != RECIPE_LINE_OPERATION;
    if (after->GetItemType() != RECIPE_LINE_SERIES || !FindNextVisibleLine(next, &next, &after))
        return true;
    return after->GetItemType() != RECIPE_LINE_OPERATION;
}

// A removed line is hidden and deleted once control is back in the event loop: edits run inside
// the handlers of their line.
void CQUORVANTAView::takeLine(int index)
{
    CRecipeButton* line = m_lineButtons.takeAt(index);
    line->hide();
    line->deleteLater();
    --m_nButtonsCreated;
}

// Removes the line at index in memory with what belongs to it; the number of lines removed.
int CQUORVANTAView::removeForDelete(int index, int mode, bool* itemRemoved)
{
    const int kind = m_lineButtons.at(index)->GetItemType();
    *itemRemoved = kind == RECIPE_LINE_UNIT_PROCEDURE || kind == RECIPE_LINE_OPERATION;
    if (kind != RECIPE_LINE_UNIT_PROCEDURE || mode == UNIT_PROCEDURE_MODE) {
        takeLine(index);
        return 1;
    }
    takeLine(index);
    int removed = 1;
    for (int j = index; j < LineCount();) {
        const int lineKind = m_lineButtons.at(j)->GetItemType();
        if (lineKind == RECIPE_LINE_UNIT_PROCEDURE)
            break;
        if (mode == DRAG_CUT_MODE && IsKeywordLine(lineKind) && keepsKeywordOnDragCut(j)) {
            ++j;
            continue;
        }
        takeLine(j);
        ++removed;
    }
    return removed;
}

bool CQUORVANTAView::DeleteSelectedItems(const QString& modeText)
{
    const int index = GetFirstSelectedIndex();
    if (m_document.stepID < 0 || index < 0)
        return false;
    const int mode = DeleteModeOf(modeText);
    if (!confirmDelete(index, mode) || !CRecipeEdit::CanWrite(m_document.stepID)) {
        ClearConstraintLists();
        return false;
    }
    const WaitCursor wait;
    CRecipeEdit edit(*this);
    bool itemRemoved = false;
    removeForDelete(index, mode, &itemRemoved);
    renumberLines(0, 0, 1);
    const bool written = edit.Commit(
        [this](CDaoDatabase&) {
            if (!DeleteInvalidConstraints(m_document.stepID))
                throw RecipeEditAborted();
        },
        [this, mode](CDaoDatabase& step) {
            if (dropsConstraintsOfRemoved(mode))
                DeleteConstraintsOffTheRecipe(step, m_document.stepID);
        });
    if (!m_bPasting) // a move's paste still rewires the kept constraints
        ClearConstraintLists();
    if (!written)
        return false;
    afterDelete(index, mode, itemRemoved);
    return true;
}

// After the commit: the selection, the layout and, for the user's own deletes, the other windows.
void CQUORVANTAView::afterDelete(int index, int mode, bool itemRemoved)
{
    if (mode != MOVE_MODE)
        RecalcLayout(false, viewport()->width(), viewport()->height());
    SelectItem(qMin(index, LineCount() - 1));
    viewport()->update();
    if (m_bPasting) // the cut of a move within this window: its paste refreshes after the commit
        return;
    if (mode == DELETE_MODE || mode == CUT_MODE || mode == DRAG_CUT_MODE) {
        if (itemRemoved)
            RefreshStep(m_document.stepID);
        RefreshStepRecipeViews(m_document.stepID, this);
        NotifyFrameOfSelection();
        RefreshAutomationModel(m_document.stepID);
    }
    if (mode == DELETE_MODE || mode == CUT_MODE)
        NotifyStreamUpdate(m_document.stepID);
    SetProjectModified(true);
}

// Removes the first selected line in memory as a multiple-selection delete does; lines removed.
int CQUORVANTAView::removeFirstSelected(bool* itemRemoved)
{
    const int index = GetFirstSelectedIndex();
    return index < 0 ? 0 : removeForDelete(index, DELETE_MODE, itemRemoved);
}

bool CQUORVANTAView::DeleteSelectedLinesOneByOne(const QString& modeText)
{
    const int mode = DeleteModeOf(modeText);
    if ((mode == CUT_MODE &&
         !AskedYes("This will cut all selected items. Do you really want to delete them ?")) ||
        (mode == DELETE_MODE &&
         !AskedYes("This will delete all selected items. Do you really want to delete them ?")))
        return false;
    if (m_document.stepID < 0 || GetFirstSelectedIndex() < 0 || !CRecipeEdit::CanWrite(m_document.stepID))
        return false;
    const WaitCursor wait;
    CRecipeEdit edit(*this);
    bool itemRemoved = false;
    while (removeFirstSelected(&itemRemoved) > 0) {
    }
    renumberLines(0, 0, 1);
    const bool dropConstraints = dropsConstraintsOfRemoved(mode);
    if (!edit.Commit({}, [this, dropConstraints](CDaoDatabase& step) {
            if (dropConstraints)
                DeleteConstraintsOffTheRecipe(step, m_document.stepID);
        }))
        return false;
    afterMultiDelete();
    return true;
}

bool CQUORVANTAView::DeleteFirstSelectedLine(bool last)
{
    if (m_document.stepID < 0 || GetFirstSelectedIndex() < 0 || !CRecipeEdit::CanWrite(m_document.stepID))
        return false;
    CRecipeEdit edit(*this);
    bool itemRemoved = false;
    removeFirstSelected(&itemRemoved);
    renumberLines(0, 0, 1);
    if (!edit.Commit())
        return false;
    if (last)
        afterMultiDelete();
    else
        SetProjectModified(true);
    return true;
}

// The refresh of a multiple-selection delete, once after its last line went.
void CQUORVANTAView::afterMultiDelete()
{
    m_bMultiSelect = false;
    if (!m_lineButtons.isEmpty())
        OnLineClicked(m_lineButtons.first(), false);
    RecalcLayout(false, viewport()->width(), viewport()->height());
    viewport()->update();
    RefreshStep(m_document.stepID);
    NotifyFrameOfSelection();
    RefreshStepRecipeViews(m_document.stepID, this);
    RefreshAutomationModel(m_document.stepID);
    NotifyStreamUpdate(m_document.stepID);
    SetProjectModified(true);
}

bool CQUORVANTAView::DeleteItem(long itemID, int kind)
{
    for (int index = 0; index < LineCount(); ++index) {
        const RecipeLineRecord& line = m_lineButtons.at(index)->line();
        if (line.itemID == itemID && line.kind == kind) {
            SelectItem(index);
            return DeleteSelectedItems(QStringLiteral("Delete"));
        }
    }
    return false;
}

bool DeleteItemInRecipeView(long stepID, long itemID, int kind)
{
    CQUORVANTAView* view = GetRecipeViewOfStep(stepID);
    return view && view->DeleteItem(itemID, kind);
}
