// Inserting operations into the text-recipe view, and what every insert shares: the write in one
// transaction, the renumbering of the lines after the new one, the refreshes.

#include "foundation/common/MessageBox.h"
#include "foundation/common/WaitCursor.h"
#include "foundation/common/concerns/AppContext.h"
#include "foundation/common/concerns/FrameServices.h"
#include "foundation/common/concerns/SubsystemConcerns.h"
#include "foundation/db/connection/DaoException.h"
#include "foundation/db/connection/DaoTransaction.h"
#include "foundation/db/project/OperationLibrarySet.h"
#include "modules/opdialog/OPDialog.h"
#include "recipe/edit/RecipeInsertPlace.h"
#include "recipe/edit/RecipeInsertWriter.h"
#include "recipe/view/QuorvantaView.h"
#include "recipe/view/RecipeButton.h"
#include "recipe/view/RecipeWindows.h"

#include <charconv>

namespace {
const char* const NO_UNIT_PROCEDURE_MESSAGE =
    "Can't insert an Operation before the first Unit Procedure! Please insert an Unit Procedure first.";

// The type's name in the project's operation library; false when the type is not there.
bool FindOperationTypeName(long operationTypeID, QString* name)
{
    COperationLibrarySet library;
    if (!library.OpenSet()) {
        QvMessageBox(QStringLiteral("Can't open Operation Library table to get operation name!"), MB_OK);
        return false;
    }
    if (!library.FindFirst([&](const CDaoRecordset& row) {
            return row.GetLong(QStringLiteral("OperationTypeID")) == operationTypeID;
        }))
        return false;
    *name = library.GetText(QStringLiteral("OperationTypeName"));
    return true;
}

// "n." and "n.m." with one allocation each: a renumbering makes thousands of them.
QString NumberedLabel(std::initializer_list<long> numbers)
{
    char text[48];
    char* end = text;
    for (const long number : numbers) {
        end = std::to_chars(end, text + sizeof(text) - 1, number).ptr;
        *end++ = '.';
    }
    return QString::fromLatin1(text, end - text);
}

QString UnitProcedureLabel(long unitProcedureNumber)
{
    return NumberedLabel({unitProcedureNumber});
}

QString OperationLabel(long unitProcedureNumber, long operationNumber)
{
    return NumberedLabel({unitProcedureNumber, operationNumber});
}
} // namespace

bool CQUORVANTAView::UpdateInsertOperationUI(int where) const
{
    const int selected = GetFirstSelectedIndex();
    if (m_bMultiSelect || selected < 0)
        return false;
    return where == 2 || selected > 0;
}

bool CQUORVANTAView::UpdateInsertKeywordUI(int) const
{
    return !m_bMultiSelect && GetFirstSelectedIndex() >= 0;
}

bool CQUORVANTAView::UpdateInsertUnitProcedureUI() const
{
    return !m_bMultiSelect && (GetFirstSelectedIndex() >= 0 || m_lineButtons.isEmpty());
}

int CQUORVANTAView::insertTop(int index, int where) const
{
    const CRecipeButton* line = m_lineButtons.at(index);
    if (where == 2)
        return line->m_top + line->m_height + LINE_GAP;
    return line->GetItemType() == RECIPE_LINE_UNIT_PROCEDURE ? line->m_top - 25 : line->m_top;
}

// Steps 2 to 4 of the placement: the selected line's kind gives the numbers, or the search upward
// for the owning unit procedure does.
bool CQUORVANTAView::placeOperation(int where, OperationPlace* place) const
{
    place->selected = GetFirstSelectedIndex();
    if (place->selected < 0)
        return false;
    const RecipeLineRecord& line = m_lineButtons.at(place->selected)->line();
    place->indent = line.indent;
    place->index = where == 1 ? place->selected : place->selected + 1;
    place->top = insertTop(place->selected, where);
    if (line.kind == RECIPE_LINE_UNIT_PROCEDURE && where == 2) {
        std::tie(place->unitProcedureNumber, place->operationNumber) =
            std::pair(line.unitProcedureNumber, 1L);
        std::tie(place->parentID, place->parentHidden) = std::pair(line.itemID, line.hidden);
        return true;
    }
    if (line.kind == RECIPE_LINE_OPERATION) {
        place->unitProcedureNumber = line.unitProcedureNumber;
        place->operationNumber = line.operationNumber + (where == 2 ? 1 : 0);
        return findOwningUnitProcedure(place->selected - 1, false, place);
    }
    return findOwningUnitProcedure(place->selected - 1, true, place);
}

// Upward from `from`: the first operation met gives the next operation number (when asked), the
// first unit procedure the owner; the message when there is none.
bool CQUORVANTAView::findOwningUnitProcedure(int from, bool takeOperationNumber, OperationPlace* place) const
{
    bool operationMet = false;
    for (int j = from; j >= 0; --j) {
        const RecipeLineRecord& line = m_lineButtons.at(j)->line();
        if (takeOperationNumber && !operationMet && line.kind == RECIPE_LINE_OPERATION) {
            place->operationNumber = line.operationNumber + 1;
            operationMet = true;
        } else if (line.kind == RECIPE_LINE_UNIT_PROCEDURE) {
            if (takeOperationNumber) {
                place->unitProcedureNumber = line.unitProcedureNumber;
                place->operationNumber = operationMet ? place->operationNumber : 1;
            }
            std::tie(place->parentID, place->parentHidden) = std::pair(line.itemID, line.hidden);
            return true;
        }
    }
    QvMessageBox(m_bPasting ? QStringLiteral("Can't paste an Operation before the first Unit Procedure!")
                            : QString::fromLatin1(NO_UNIT_PROCEDURE_MESSAGE),
                 MB_OK);
    return false;
}

void CQUORVANTAView::InsertOperation(int where, long operationTypeID, long operationID,
                                     const QString& recipeText, const QString& operationName, long,
                                     bool hidden, bool breakpoint)
{
    OperationPlace place;
    if (m_document.stepID < 0 || lineWidth(1) == 0 || !placeOperation(where, &place))
        return;
    RecipeLineRecord record;
    record.operationLabel = operationName;
    record.displayText = recipeText;
    std::optional<NewOperationInput> input;
    if (operationID == -1) {
        if (!FindOperationTypeName(operationTypeID,
                                   &record.operationLabel)) // the type first: nothing is made
            return;
        input = AskNewOperation(m_document.stepID, place.parentID, operationTypeID);
        if (!input)
            return;
        record.displayText = record.operationLabel + QStringLiteral(" ...");
        std::tie(hidden, breakpoint) = std::pair(place.parentHidden, false);
    }
    const WaitCursor wait;
    record.insertAt = place.index;
    std::tie(record.kind, record.typeText) =
        std::pair(int(RECIPE_LINE_OPERATION), QStringLiteral("Operation"));
    std::tie(record.itemID, record.operationTypeID, record.recipeText) =
        std::tuple(operationID, operationTypeID, record.displayText);
    record.label = OperationLabel(place.unitProcedureNumber, place.operationNumber);
    std::tie(record.unitProcedureNumber, record.operationNumber) =
        std::pair(place.unitProcedureNumber, place.operationNumber);
    std::tie(record.stepID, record.indent, record.topY) =
        std::tuple(m_document.stepID, place.indent, place.top);
    std::tie(record.width, record.hidden, record.breakpoint) =
        std::tuple(lineWidth(place.indent), hidden, breakpoint);
    const bool written = writeInsert([&](CDaoDatabase& step) {
        if (input)
            record.itemID = WriteNewOperation(step, place.parentID, operationTypeID, *input);
        else
            step.Execute(QStringLiteral("UPDATE Operation SET UnitProcedureID = ? WHERE OperationID = ?"),
                         {qlonglong(place.parentID), qlonglong(operationID)});
        CRecipeInsertWriter rows(step, m_document.stepID, LineCount());
        rows.ShiftAndRenumber(place.index + 1, 1, place.unitProcedureNumber, place.operationNumber + 1);
        record.rowKey = rows.InsertRow({record.itemID, record.indent, record.label, record.operationLabel,
                                        record.operationNumber, place.index + 1, record.typeText, QString(),
                                        record.unitProcedureNumber, hidden, breakpoint});
    });
    if (!written || !addInsertedLine(record))
        return;
    renumberLines(place.index + 1, place.unitProcedureNumber, place.operationNumber + 1);
    OnLineClicked(m_lineButtons.at(place.index), false);
    finishInsert(place.index, true);
    RefreshAutomationModel(m_document.stepID);
}

// The line of rows already written; a line that cannot be made leaves the view rebuilt.
bool CQUORVANTAView::addInsertedLine(RecipeLineRecord& record)
{
    if (record.width > 0 && AddLineButton(record))
        return true;
    RebuildRecipe();
    return false;
}

bool CQUORVANTAView::writeInsert(const std::function<void(CDaoDatabase&)>& write)
{
    CDaoDatabase* step = GetStepDatabase(m_document.stepID);
    if (!step || !step->CanUpdate()) {
        QvMessageBox(QStringLiteral("Can't open TextRecipe Table to add new record!"), MB_OK);
        return false;
    }
    try {
        CDaoTransaction transaction(*step);
        write(*step);
        transaction.Commit();
        return true;
    } catch (const CDaoException& error) { // nothing stays written: the lines show the rows again
        QvMessageBox(error.GetErrorDescription(), MB_OK | MB_ICONERROR);
        RebuildRecipe();
        return false;
    }
}

// From the line at `from` on: unit procedures count on from unitProcedureNumber, operations from
// operationNumber and from 1 after each unit procedure; keyword lines take their position as id.
void CQUORVANTAView::renumberLines(int from, long unitProcedureNumber, long operationNumber, int until)
{
    const int end = until < 0 ? LineCount() : qMin(until, LineCount());
    for (int j = from; j < end; ++j) {
        RecipeLineRecord& line = m_lineButtons.at(j)->line();
        // A label is made again only where its numbers changed: most lines keep theirs.
        if (line.kind == RECIPE_LINE_UNIT_PROCEDURE) {
            std::tie(unitProcedureNumber, operationNumber) = std::pair(unitProcedureNumber + 1, 1L);
            if (std::exchange(line.unitProcedureNumber, unitProcedureNumber) != unitProcedureNumber ||
                line.label.isEmpty())
                line.label = UnitProcedureLabel(unitProcedureNumber);
        } else if (line.kind == RECIPE_LINE_OPERATION) {
            const bool same = line.unitProcedureNumber == unitProcedureNumber &&
                              line.operationNumber == operationNumber && !line.label.isEmpty();
            std::tie(line.unitProcedureNumber, line.operationNumber) =
                std::pair(unitProcedureNumber, operationNumber);
            if (!same)
                line.label = OperationLabel(unitProcedureNumber, operationNumber);
            ++operationNumber;
        } else {
            line.itemID = j + 1;
        }
    }
}

// After the rows are written: the new line in sight, the layout, the other views and panes.
void CQUORVANTAView::finishInsert(int index, bool explorerBranch)
{
    RecalcLayout(false, viewport()->width(), viewport()->height());
    ScrollLineIntoView(index);
    viewport()->update();
    if (explorerBranch)
        RefreshStep(m_document.stepID);
    RefreshStepRecipeViews(m_document.stepID, this);
    if (explorerBranch)
        NotifyFrameOfSelection();
    SetProjectModified(true);
}

void CQUORVANTAView::ScrollLineIntoView(int index)
{
    const CRecipeButton* line = Line(index);
    const int height = qMax(1, m_nClientHeight);
    if (!line)
        return;
    const int y = line->m_top + m_nScrollOffsetY;
    // The pages are counted through first; the lines move once, to where the last page leaves them.
    const int maximum = scrollMaximum(Qt::Vertical);
    int position = m_nVertPos;
    if (y < 0) {
        for (int n = -y / height + 1; n > 0; --n)
            position = qMax(0, position - m_nPageHeight);
    } else if (y + line->m_height > height) {
        for (int n = (y + line->m_height) / height; n > 0; --n)
            position = qMax(0, qMin(position + m_nPageHeight, maximum) - m_nPageHeight / 10);
    }
    scrollTo(Qt::Vertical, position);
}

void CQUORVANTAView::NotifyFrameOfSelection()
{
    const long itemID = GetSelectedItemID();
    const int kind = GetSelectedItemType();
    if (m_document.stepID > -1 && itemID > -1 &&
        (kind == RECIPE_LINE_UNIT_PROCEDURE || kind == RECIPE_LINE_OPERATION))
        SyncLinkedWindows(m_document.stepID, itemID, LinkedItemType(kind), SyncSource::RecipeView);
    RefreshStepPanes();
}
