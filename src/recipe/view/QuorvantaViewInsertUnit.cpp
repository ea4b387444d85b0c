// Inserting unit procedures and favourite operations into the text-recipe view.

#include "foundation/common/FavoriteOperations.h"
#include "foundation/common/MessageBox.h"
#include "foundation/common/WaitCursor.h"
#include "foundation/common/concerns/AppContext.h"
#include "foundation/common/concerns/SubsystemConcerns.h"
#include "foundation/db/step/UnitProcedureSet.h"
#include "modules/opdialog/OPDialog.h"
#include "recipe/edit/RecipeInsertPlace.h"
#include "recipe/edit/RecipeInsertWriter.h"
#include "recipe/lines/RecipeLineSources.h"
#include "recipe/view/QuorvantaView.h"
#include "recipe/view/RecipeButton.h"
#include "recipe/view/RecipeEditWriter.h"

namespace {
// The unit procedure exists in the step database.
bool UnitProcedureRowExists(long stepID, long unitProcedureID)
{
    CUnitProcedureSet set;
    return set.OpenSet(stepID, unitProcedureID) && !set.IsEOF();
}
} // namespace

// The number a new unit procedure takes beside a keyword line: from the nearest unit procedure
// or operation after it, else from the nearest one before it; 1 with neither (top 0).
long CQUORVANTAView::numberFromKeyword(int index, int, int* top) const
{
    for (int j = index + 1; j < LineCount(); ++j) {
        const RecipeLineRecord& line = m_lineButtons.at(j)->line();
        if (line.kind == RECIPE_LINE_UNIT_PROCEDURE)
            return line.unitProcedureNumber;
        if (line.kind == RECIPE_LINE_OPERATION)
            return line.unitProcedureNumber + 1;
    }
    for (int j = index - 1; j >= 0; --j) {
        const RecipeLineRecord& line = m_lineButtons.at(j)->line();
        // Whichever side of the keyword it goes, the new one follows that unit procedure.
        if (line.kind == RECIPE_LINE_UNIT_PROCEDURE || line.kind == RECIPE_LINE_OPERATION)
            return line.unitProcedureNumber + 1;
    }
    *top = 0;
    return 1;
}

UnitProcedurePlace CQUORVANTAView::placeUnitProcedure(int position) const
{
    UnitProcedurePlace place;
    int selected = GetFirstSelectedIndex();
    if (m_lineButtons.isEmpty())
        return place;
    if (selected < 0) // nothing selected: after the last line or before the first
        selected = position == 2 ? LineCount() - 1 : 0;
    else
        place.indent = m_lineButtons.at(selected)->line().indent;
    const RecipeLineRecord& line = m_lineButtons.at(selected)->line();
    place.index = position == 1 ? selected : selected + 1;
    place.top = insertTop(selected, position);
    if (line.kind == RECIPE_LINE_UNIT_PROCEDURE)
        place.number = line.unitProcedureNumber + (position == 2 ? 1 : 0);
    else if (line.kind == RECIPE_LINE_OPERATION)
        place.number = line.unitProcedureNumber + 1;
    else
        place.number = numberFromKeyword(selected, position, &place.top);
    return place;
}

void CQUORVANTAView::InsertUnitProcedure(int position, long unitProcedureID, const QString& name, bool hidden,
                                         bool, bool breakpoint)
{
    if (m_document.stepID < 0 || lineWidth(1) == 0)
        return;
    std::optional<NewUnitProcedureInput> input;
    RecipeLineRecord record;
    std::tie(record.itemID, record.unitProcedureName) = std::pair(unitProcedureID, name);
    if (unitProcedureID == -1) {
        input = AskNewUnitProcedure(m_document.stepID);
        if (!input)
            return;
        std::tie(record.unitProcedureName, record.commentText) = std::pair(input->name, input->comment);
        std::tie(hidden, breakpoint) = std::pair(false, false);
    } else if (!UnitProcedureRowExists(m_document.stepID, unitProcedureID)) {
        QvMessageBox(QStringLiteral("Can't open Unit Procedure Table to insert Unit Procedure!"), MB_OK);
        return;
    } else {
        record.commentText = GetUnitProcedureCommentText(m_document.stepID, unitProcedureID);
    }
    const WaitCursor wait;
    const UnitProcedurePlace place = placeUnitProcedure(position);
    const int index = place.index < 0 ? LineCount() : place.index;
    std::tie(record.insertAt, record.kind, record.typeText) =
        std::tuple(index, int(RECIPE_LINE_UNIT_PROCEDURE), QStringLiteral("Unit Procedure"));
    record.displayText = unitProcedureText(record.unitProcedureName, record.commentText);
    std::tie(record.label, record.unitProcedureNumber) =
        std::pair(QStringLiteral("%1.").arg(place.number), place.number);
    std::tie(record.stepID, record.indent, record.topY) =
        std::tuple(m_document.stepID, place.indent, place.top);
    std::tie(record.width, record.hidden, record.breakpoint) =
        std::tuple(lineWidth(place.indent), hidden, breakpoint);
    QList<long> regenerated; // the texts whose vessel or destination the new unit procedure changed
    const bool written = writeInsert([&](CDaoDatabase& step) {
        if (input)
            record.itemID = WriteNewUnitProcedure(step, *input, place.number);
        CRecipeInsertWriter rows(step, m_document.stepID, LineCount());
        rows.ShiftAndRenumber(index + 1, 1, place.number, 1);
        record.rowKey =
            rows.InsertRow({record.itemID, record.indent, record.label, QString(), 0, index + 1,
                            record.typeText, record.unitProcedureName, place.number, hidden, breakpoint});
        rows.HideUntilNextUnitProcedure(index + 1, hidden);
        rows.AdoptOperations(index + 1, record.itemID);
        CRecipeEditWriter::AddNewDestinations(m_document.stepID, regenerated, true);
        regenerated = CRecipeEditWriter::RegenerateTexts(m_document.stepID, regenerated);
    });
    if (input && written)
        BuildAutomationModel();
    if (!written || !addInsertedLine(record))
        return;
    renumberLines(index + 1, place.number, 1);
    for (int j = index + 1; j < LineCount() && Line(j)->GetItemType() != RECIPE_LINE_UNIT_PROCEDURE; ++j)
        Line(j)->line().hidden = hidden;
    SelectItem(index);
    finishInsert(index, true);
    CRecipeEditWriter::ShowRegeneratedTexts(m_document.stepID, regenerated);
}

void CQUORVANTAView::InsertFavoriteOperations(int listIndex)
{
    const WaitCursor wait;
    const Array<long> types = LoadAllFavoriteOperations(listIndex);
    for (long j = 0; j < types.GetSize(); ++j)
        InsertOperation(InsertPosition(), types[j], -1, QString(), QString(), -1, false);
}
