// Paste of the recipe clipboard into the text-recipe view: the lines go in one by one, each next to
// the line the previous one left selected, all inside one transaction on the target step; a copied
// operation's row goes in under an id counted on per paste, and its data follows once every line
// is in, one statement per table for all. Each new line takes its row key
// as it is placed, above every key in use; before the commit the rows the paste moved take their
// new numbers once, by the edit writer (the rows below the pasted block by ranges, the rest by row
// key), and then the new rows go in with their final numbers in one statement. Every pasted
// operation (its text names the vessel it was copied from) and those whose text the paste made
// stale (under a unit procedure now followed by another) are composed once, together, after every
// row is in, and only the lines whose stored text changed read it again. The paste half of a move within
// the window carries the moved items' constraints over to their new ids and leaves none naming a
// line the move took away.

#include "foundation/common/MessageBox.h"
#include "foundation/common/WaitCursor.h"
#include "foundation/common/concerns/AppContext.h"
#include "foundation/common/concerns/DisplayOptions.h"
#include "foundation/common/concerns/FrameServices.h"
#include "foundation/common/concerns/StreamServices.h"
#include "foundation/common/concerns/SubsystemConcerns.h"
#include "foundation/db/connection/DaoException.h"
#include "foundation/db/connection/DaoTransaction.h"
#include "foundation/db/connection/SharedConnection.h"
#include "foundation/db/connection/StepConnectionUse.h"
#include "foundation/db/step/RecipeItemIDs.h"
#include "modules/opdialog/OPDialog.h"
#include "recipe/edit/OperationRecipeBatch.h"
#include "recipe/edit/OperationRecipeCopy.h"
#include "recipe/edit/OperationRecipeSource.h"
#include "recipe/edit/RecipeConstraints.h"
#include "recipe/edit/RecipeInsertPlace.h"
#include "recipe/edit/RecipeInsertWriter.h"
#include "recipe/view/QuorvantaView.h"
#include "recipe/view/RecipeButton.h"
#include "recipe/view/RecipeClipboard.h"
#include "recipe/view/RecipeEditWriter.h"

#include <QSet>

#include <optional>

// What one paste shares between its lines.
struct PasteRun {
    CDaoDatabase& step;
    CDaoDatabase* source = nullptr;
    bool full = true;
    bool moving = false;               // the lines were cut from this window in this transaction
    int lowest = -1;                   // the first line whose numbers the paste changed
    int numberedEnd = -1;              // from here on, lines still carry their numbers from before the paste
    CRecipeButton* selected = nullptr; // the one line the paste left selected
    std::optional<COperationRecipeSource> sourceRows{}; // a full paste's source operations, read ahead
    std::optional<COperationRecipeBatch> copies{};      // their data, written once all lines are in
    QList<RecipeLineRow> before{};                      // the rows as the lines stood before
    QHash<long, long> addedOwners{};                    // the unit procedure each pasted operation went under
    long firstNewRowKey = 0;                            // the new rows' keys count on from here
    long nextRowKey = 0;
    long nextItemID = 0; // the next copied operation's id; 0: to be read
    QList<std::pair<long, long>> operations{}; // (source id, new id) of each pasted item
    QList<std::pair<long, long>> unitProcedures{};
};

namespace {
// A line's paste stopped; its message was shown.
struct PasteStopped {};

const char* const FACILITY_QUESTION =
    "This will only paste the structure since a different Facility is used in "
    "the two Steps. Do you want to proceed ?";

// Resets the view's paste flags however the paste ends.
struct PasteFlags {
    bool& pasting;
    bool& dragCutPending;
    explicit PasteFlags(bool& p, bool& d) : pasting(p), dragCutPending(d) { pasting = true; }
    ~PasteFlags() { pasting = dragCutPending = false; }
};

// The new operation's line text as a load shows it from these texts of its row.
void ShowPastedOperation(RecipeLineRecord& record, const QString& recipeText, const QString& rangeText,
                         const QString& commentText)
{
    std::tie(record.recipeText, record.rangeText, record.commentText) =
        std::tuple(recipeText, rangeText, commentText);
    const DisplayOptions options = CurrentDisplayOptions();
    if (record.recipeText.trimmed().isEmpty())
        record.recipeText = record.operationLabel + QStringLiteral(" ...");
    record.displayText = record.recipeText;
    const QLatin1String separator(options.addSpace ? "\n\n" : "\n");
    if (!record.rangeText.isEmpty() && options.ranges)
        record.displayText += separator + record.rangeText;
    if (!record.commentText.isEmpty() && options.comments)
        record.displayText += separator + record.commentText;
}

// The same, the texts read from the new operation's row.
void ReadPastedOperation(CDaoDatabase& step, RecipeLineRecord& record)
{
    static const QString sql =
        QStringLiteral("SELECT RecipeText, RangeText, UserComments FROM Operation WHERE OperationID = ?");
    const StatementKey key{
        StatementKind::Update, QStringLiteral("Operation"), {sql}, {QStringLiteral("pasted line")}, {}};
    QStringList texts;
    step.Connection().execKept(
        key, [] { return sql; }, {qlonglong(record.itemID)},
        [&texts](KeptResult& row) {
            if (row.next())
                texts = {row.value(0).toString(), row.value(1).toString(), row.value(2).toString()};
        });
    if (!texts.isEmpty())
        ShowPastedOperation(record, texts[0], texts[1], texts[2]);
}

// A pasted operation's owner, when a later line of the paste put it under another unit procedure.
void WritePastedOwner(CDaoDatabase& step, long operationID, long unitProcedureID)
{
    static const QString sql = QStringLiteral("UPDATE Operation SET UnitProcedureID = ? WHERE OperationID = ?");
    const StatementKey key{
        StatementKind::Update, QStringLiteral("Operation"), {sql}, {QStringLiteral("pasted line")}, {}};
    step.Connection().execKept(key, [] { return sql; }, {qlonglong(unitProcedureID), qlonglong(operationID)});
}

// The source operations of the items and of their children, in order.
QList<long> SourceOperationsOf(const QList<std::shared_ptr<RecipeClipboardItem>>& items)
{
    QList<long> operations;
    for (const std::shared_ptr<RecipeClipboardItem>& item : items) {
        if (item->kind == 2)
            operations << item->itemID;
        for (const std::shared_ptr<RecipeClipboardItem>& child : item->children) {
            if (child && child->kind == 2)
                operations << child->itemID;
        }
    }
    return operations;
}

// The new line's row at that sequence number.
TextRecipeRowValues PastedRowValues(const RecipeLineRecord& line, long sequence)
{
    TextRecipeRowValues row;
    std::tie(row.id, row.indent, row.label, row.operationName, row.opNumber, row.sequence) =
        std::tuple(line.itemID, line.indent, line.label, line.operationLabel, line.operationNumber, sequence);
    std::tie(row.type, row.unitProcedureName, row.upNumber) =
        std::tuple(line.typeText, line.unitProcedureName, line.unitProcedureNumber);
    std::tie(row.hide, row.breakpoint, row.rowKey) = std::tuple(line.hidden, line.breakpoint, line.rowKey);
    return row;
}

// Every pasted operation is composed again for the vessel of the unit procedure it went under,
// after the stale ones the paste found, each once.
void AddPastedOperations(const PasteRun& run, QList<long>& stale)
{
    QSet<long> listed(stale.cbegin(), stale.cend());
    for (const std::pair<long, long>& operation : run.operations) {
        if (!listed.contains(operation.second)) {
            listed.insert(operation.second);
            stale.append(operation.second);
        }
    }
}

void Stop(bool ok)
{
    if (!ok)
        throw PasteStopped();
}

// The copied operation's row, its id counted on from the last new item's: the rows it is
// queued with follow once every line is in.
long WritePastedCopy(PasteRun& run, long unitProcedureID, long operationTypeID, const QString& label,
                     const OperationRecipeRows& rows)
{
    if (run.nextItemID == 0)
        run.nextItemID = NextRecipeItemID(run.step);
    const long id = run.nextItemID++;
    WriteOperationCopy(run.step, id, unitProcedureID, operationTypeID, label, COperationRecipeBatch::Texts(rows));
    run.copies->Add(rows, id);
    return id;
}
} // namespace

bool CQUORVANTAView::UpdatePasteUI() const
{
    const RecipeClipboard* clipboard = RecipeClipboard::Installed();
    if (!clipboard || m_bMultiSelect || !clipboard->bRecipeClipboardFilled)
        return false;
    int from = GetFirstSelectedIndex();
    if (from < 0)
        return clipboard->bUnitProcedures || (!m_lineButtons.isEmpty() && m_bInsertAfter);
    if (!m_bInsertAfter)
        --from;
    for (int j = from; j >= 0; --j) {
        if (Line(j)->GetItemType() == RECIPE_LINE_UNIT_PROCEDURE)
            return true;
    }
    return clipboard->bUnitProcedures;
}

// No line selected among lines: the last one (Insert After) or the first (Insert Before).
bool CQUORVANTAView::preparePasteSelection()
{
    if (m_lineButtons.isEmpty() || GetFirstSelectedIndex() >= 0)
        return true;
    selectQuietly(m_bInsertAfter ? LineCount() - 1 : 0);
    return true;
}

void CQUORVANTAView::selectQuietly(int index)
{
    for (int j = 0; j < LineCount(); ++j)
        Line(j)->SetSelected(j == index);
    m_bMultiSelect = false;
}

bool CQUORVANTAView::OnEditPaste()
{
    return pasteClipboard({});
}

bool CQUORVANTAView::pasteClipboard(const std::function<bool()>& beforeLines)
{
    RecipeClipboard* clipboard = RecipeClipboard::Installed();
    if (!clipboard || m_document.stepID < 0 || m_bMultiSelect || !clipboard->bRecipeClipboardFilled)
        return false;
    const bool sameFacility =
        RecipeClipboard::StepFacilityID(m_document.stepID) == clipboard->sourceFacilityID;
    if (!sameFacility && QvMessageBox(QString::fromLatin1(FACILITY_QUESTION),
                                      MB_YESNO | MB_ICONQUESTION | MB_DEFBUTTON2) != IDYES) {
        m_bDragCutPending = false;
        return false;
    }
    CDaoDatabase* step = GetStepDatabase(m_document.stepID);
    if (!step || !step->CanUpdate() || lineWidth(1) == 0) {
        QvMessageBox(QStringLiteral("Can't open TextRecipe Table to add new record!"), MB_OK);
        return false;
    }
    const PasteFlags flags(m_bPasting, m_bDragCutPending);
    const WaitCursor wait;
    PasteRun run{*step, GetStepDatabase(clipboard->sourceStepID), sameFacility};
    run.moving = bool(beforeLines);
    const CStepConnectionUse targetInUse(step), sourceInUse(run.source);        // the full page cache
    const QList<std::shared_ptr<RecipeClipboardItem>> items = clipboard->items; // a paste may refill it
    QList<long> regenerated; // then those whose text changed
    try {
        // The source step is only read, each statement on its own: a transaction there would first
        // switch its working copy to the journal kept for writes (new files, each flushed).
        CDaoTransaction transaction(*step);
        Stop(!beforeLines || beforeLines());
        preparePasteSelection();
        run.before = CRecipeEditWriter::RowsOf(m_lineButtons);
        run.firstNewRowKey = run.nextRowKey = CRecipeInsertWriter(*step, m_document.stepID).NextRowKey();
        if (run.full && run.source) {
            run.sourceRows.emplace(*run.source, SourceOperationsOf(items));
            run.copies.emplace(*run.sourceRows, m_document.stepID);
        }
        const int position = m_bInsertAfter ? 2 : 1;
        for (qsizetype n = 0; n < items.size(); ++n)
            pasteItem(*items.at(m_bInsertAfter ? n : items.size() - 1 - n), position, run);
        if (run.lowest >= 0)
            numberLinesBetween(run.numberedEnd, LineCount());
        const QList<RecipeLineRow> after = CRecipeEditWriter::RowsOf(m_lineButtons);
        const std::pair<qsizetype, qsizetype> ends = CRecipeEditWriter::SharedEnds(run.before, after);
        regenerated = CRecipeEditWriter::StaleOperations(run.before, after, ends, run.addedOwners);
        AddPastedOperations(run, regenerated);
        if (run.copies) // each text composed once: the stale ones below, with their rows in
            run.copies->Write(*step, QSet<long>(regenerated.cbegin(), regenerated.cend()));
        writePasteNumbers(run, after);
        if (run.moving) {
            CarryConstraintsOfMoved(*step, run.operations, run.unitProcedures);
            DeleteConstraintsOffTheRecipe(*step, m_document.stepID);
        }
        if (CRecipeEditWriter::ChangesStructure(run.before, after, ends))
            CRecipeEditWriter::AddNewDestinations(m_document.stepID, regenerated);
        regenerated = CRecipeEditWriter::RegenerateTexts(m_document.stepID, regenerated);
        transaction.Commit();
    } catch (const CDaoException& error) {
        QvMessageBox(error.GetErrorDescription(), MB_OK | MB_ICONERROR);
        ClearConstraintLists();
        RebuildRecipe();
        return false;
    } catch (const PasteStopped&) {
        ClearConstraintLists();
        RebuildRecipe();
        return false;
    }
    finishPaste();
    CRecipeEditWriter::ShowRegeneratedTexts(m_document.stepID, regenerated);
    return run.lowest >= 0;
}

void CQUORVANTAView::pasteItem(const RecipeClipboardItem& item, int position, PasteRun& run)
{
    const long sourceStep = RecipeClipboard::Installed()->sourceStepID;
    if (item.kind == 2) {
        PasteOperation(run, sourceStep, item.itemID, position, item.operationTypeID, item.firstText,
                       item.hidden, item.indent);
        return;
    }
    if (item.kind != 1) {
        PasteKeyword(run, position, item.firstText, item.keywordKind, item.indent);
        return;
    }
    PasteUnitProcedure(run, sourceStep, item.itemID, position, item.firstText, item.commentText, item.hidden,
                       item.indent);
    const int header = GetFirstSelectedIndex();
    for (const std::shared_ptr<RecipeClipboardItem>& child : item.children) {
        Stop(child && child->kind != 1);
        if (child->kind == 2)
            PasteOperation(run, sourceStep, child->itemID, 2, child->operationTypeID, child->firstText,
                           child->hidden, child->indent);
        else
            PasteKeyword(run, 2, child->firstText, child->keywordKind, child->indent);
    }
    if (position == 1) // the next item goes above this unit procedure, not inside it
        selectPasted(run, header);
}

// Before: above the unit procedure holding the selected line, number n; after: above the next
// unit procedure below it, or at the end, number n + 1. An empty view: the first line, number 1.
int CQUORVANTAView::unitProcedurePasteIndex(int position, long* number) const
{
    const int selected = GetFirstSelectedIndex();
    *number = 1;
    if (selected < 0)
        return LineCount();
    int holder = selected;
    while (holder >= 0 && Line(holder)->GetItemType() != RECIPE_LINE_UNIT_PROCEDURE &&
           Line(holder)->GetItemType() != RECIPE_LINE_OPERATION)
        --holder;
    const long n = holder >= 0 ? Line(holder)->line().unitProcedureNumber : 0;
    if (position == 1) {
        while (holder >= 0 && Line(holder)->GetItemType() != RECIPE_LINE_UNIT_PROCEDURE)
            --holder;
        *number = qMax(1L, n);
        return holder >= 0 ? holder : selected;
    }
    *number = n + 1;
    int next = selected + 1;
    while (next < LineCount() && Line(next)->GetItemType() != RECIPE_LINE_UNIT_PROCEDURE)
        ++next;
    return next;
}

// The line's row key (its row goes in at the end), its window at record.insertAt, selected. Only the
// lines up to the last pasted one take their new numbers now (placing reads the numbers above); the
// lines below it take theirs once, at the end.
void CQUORVANTAView::placePastedLine(PasteRun& run, RecipeLineRecord& record)
{
    const int index = record.insertAt;
    record.rowKey = run.nextRowKey++;
    record.topY = index < LineCount() ? Line(index)->m_top : m_nNextLineY;
    Stop(record.width > 0 && AddLineButton(record));
    const bool first = run.lowest < 0;
    const int staleFrom = first ? index + 1 : run.numberedEnd + (index <= run.numberedEnd ? 1 : 0);
    run.numberedEnd = qMax(index + 1, staleFrom);
    numberLinesBetween(qMin(index, staleFrom), run.numberedEnd);
    run.lowest = first ? index : qMin(run.lowest, index);
    selectPasted(run, index);
}

// The first time every line is cleared; then only the line the paste selected before, dropped from
// the selected lines' list too, so that finding the selection stays a look at one line.
void CQUORVANTAView::selectPasted(PasteRun& run, int index)
{
    if (run.selected) {
        DeselectOthers();
        Line(index)->SetSelected(true);
    } else {
        selectQuietly(index);
    }
    run.selected = Line(index);
}

// The lines from `from` up to `until`, numbered on from the nearest unit procedure or operation above.
void CQUORVANTAView::numberLinesBetween(int from, int until)
{
    long unitProcedureNumber = 0, operationNumber = 1;
    for (int j = from - 1; j >= 0; --j) {
        const RecipeLineRecord& above = Line(j)->line();
        if (above.kind == RECIPE_LINE_OPERATION || above.kind == RECIPE_LINE_UNIT_PROCEDURE) {
            unitProcedureNumber = above.unitProcedureNumber;
            operationNumber = above.kind == RECIPE_LINE_OPERATION ? above.operationNumber + 1 : 1;
            break;
        }
    }
    renumberLines(from, unitProcedureNumber, operationNumber, until);
}

void CQUORVANTAView::PasteUnitProcedure(PasteRun& run, long, long srcUnitProcedureID, int position,
                                        const QString& name, const QString& comment, bool hidden, int indent)
{
    long number = 1;
    const int index = unitProcedurePasteIndex(position, &number);
    long id = 0;
    if (run.full)
        id = run.source ? WriteUnitProcedureCopy(run.step, *run.source, srcUnitProcedureID, number) : 0;
    else
        id = WriteUnitProcedureByName(run.step, name, number);
    Stop(id != 0);
    run.nextItemID = id + 1; // it took the id above all others
    run.unitProcedures.append({srcUnitProcedureID, id});
    RecipeLineRecord record;
    std::tie(record.insertAt, record.kind, record.typeText) =
        std::tuple(index, int(RECIPE_LINE_UNIT_PROCEDURE), QStringLiteral("Unit Procedure"));
    std::tie(record.itemID, record.stepID, record.unitProcedureName) =
        std::tuple(id, m_document.stepID, name);
    record.commentText = run.full ? comment : QString();
    record.displayText = unitProcedureText(name, record.commentText);
    std::tie(record.unitProcedureNumber, record.label) = std::pair(number, QStringLiteral("%1.").arg(number));
    std::tie(record.indent, record.width, record.hidden) = std::tuple(indent, lineWidth(indent), hidden);
    placePastedLine(run, record);
    Stop(RewireConstraints(m_document.stepID, srcUnitProcedureID, id));
}

void CQUORVANTAView::PasteOperation(PasteRun& run, long srcStepID, long srcOperationID, int position,
                                    long operationTypeID, const QString& label, bool hidden, int indent)
{
    OperationPlace place;
    Stop(placeOperation(position, &place));
    const OperationRecipeRows* copied = nullptr;
    if (run.full && run.copies)
        Stop((copied = run.copies->Find(srcOperationID)) != nullptr);
    const long id = copied ? WritePastedCopy(run, place.parentID, operationTypeID, label, *copied)
                           : WriteNewOperation(run.step, place.parentID, operationTypeID, {label}, !run.full);
    Stop(id != 0);
    run.operations.append({srcOperationID, id});
    run.addedOwners.insert(id, place.parentID);
    if (run.full && !copied)
        Stop(CopyOperationRecipe(srcStepID, srcOperationID, m_document.stepID, id, false) != 0 &&
             CopyOperationNotes(srcStepID, srcOperationID, m_document.stepID, id));
    RecipeLineRecord record;
    std::tie(record.insertAt, record.kind, record.typeText) =
        std::tuple(place.index, int(RECIPE_LINE_OPERATION), QStringLiteral("Operation"));
    std::tie(record.itemID, record.stepID, record.operationTypeID) =
        std::tuple(id, m_document.stepID, operationTypeID);
    record.operationLabel = label;
    std::tie(record.unitProcedureNumber, record.operationNumber) =
        std::pair(place.unitProcedureNumber, place.operationNumber);
    std::tie(record.indent, record.width, record.hidden) = std::tuple(indent, lineWidth(indent), hidden);
    if (copied) // the texts its row holds
        ShowPastedOperation(record, copied->recipeText.toString(), copied->notes.value(1).toString(),
                            copied->notes.value(0).toString());
    else
        ReadPastedOperation(run.step, record);
    placePastedLine(run, record);
    Stop(RewireConstraints(m_document.stepID, srcOperationID, id));
}

void CQUORVANTAView::PasteKeyword(PasteRun& run, int position, const QString& typeText, int kind, int indent)
{
    const int selected = GetFirstSelectedIndex();
    Stop(selected >= 0 && IsKeywordLine(kind));
    const RecipeLineRecord& near = Line(selected)->line();
    RecipeLineRecord record;
    record.hidden =
        position == 2 && near.kind == RECIPE_LINE_UNIT_PROCEDURE ? near.hidden : hiddenAbove(selected - 1);
    record.insertAt = position == 1 ? selected : selected + 1;
    std::tie(record.kind, record.typeText, record.displayText) = std::tuple(kind, typeText, typeText);
    std::tie(record.itemID, record.stepID) = std::pair(long(record.insertAt + 1), m_document.stepID);
    std::tie(record.operationNumber, record.indent, record.width) =
        std::tuple(m_nNextBlockNumber, indent, lineWidth(indent));
    placePastedLine(run, record);
}

// The rows the paste moved take their new numbers (the lines below the pasted block by ranges of
// their old numbers); then the new rows go in as their lines now stand. In this order, no range of
// old numbers holds a new row.
void CQUORVANTAView::writePasteNumbers(PasteRun& run, const QList<RecipeLineRow>& after)
{
    if (run.lowest < 0)
        return;
    QList<RecipeLineRow> kept;
    kept.reserve(after.size());
    QList<TextRecipeRowValues> added;
    QList<std::pair<long, long>> reowned; // pasted operations now under another unit procedure
    for (qsizetype index = 0; index < after.size(); ++index) {
        const RecipeLineRow& line = after.at(index);
        if (line.rowKey < run.firstNewRowKey) {
            kept << line;
            continue;
        }
        added << PastedRowValues(Line(int(index))->line(), long(index + 1));
        if (line.row.kind == RECIPE_LINE_OPERATION && run.addedOwners.value(line.row.id, line.owner) != line.owner)
            reowned.append({line.row.id, line.owner});
    }
    CRecipeEditWriter::Write(run.step, m_document.stepID, run.before, kept,
                             CRecipeEditWriter::SharedEnds(run.before, kept));
    for (const auto& [operationID, owner] : reowned)
        WritePastedOwner(run.step, operationID, owner);
    CRecipeInsertWriter(run.step, m_document.stepID).InsertRows(added);
}

// After the commit, once: the layout, the selected line in sight, the rest of the program.
void CQUORVANTAView::finishPaste()
{
    ClearConstraintLists();
    const int selected = GetFirstSelectedIndex();
    RecalcLayout(false, viewport()->width(), viewport()->height());
    ScrollLineIntoView(selected);
    viewport()->update();
    RefreshStep(m_document.stepID);
    RefreshStepRecipeViews(m_document.stepID, this);
    NotifyFrameOfSelection();
    BuildAutomationModel();
    NotifyStreamUpdate(m_document.stepID);
    SetProjectModified(true);
}
