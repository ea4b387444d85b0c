// Inserting parallel, alternative and series keyword lines into the text-recipe view.

#include "foundation/common/WaitCursor.h"
#include "foundation/common/concerns/SubsystemConcerns.h"
#include "recipe/edit/RecipeInsertWriter.h"
#include "recipe/view/QuorvantaView.h"
#include "recipe/view/RecipeButton.h"
#include "recipe/view/RecipeEditWriter.h"

namespace {
// The lines of one keyword insert, in recipe order: type text, kind and indent step.
struct KeywordLine {
    QString type;
    int kind;
    int indentStep;
};

QList<KeywordLine> KeywordLines(const QString& keyword, int kind, bool wholeBlock)
{
    if (!wholeBlock || kind == RECIPE_LINE_SERIES)
        return {{keyword, kind, 0}};
    const QString word = kind == RECIPE_LINE_PARALLEL ? QStringLiteral("Parallel") : QStringLiteral("Or");
    const QString series = QStringLiteral("Series");
    return {{QStringLiteral("Start ") + word, kind, 0},
            {series, RECIPE_LINE_SERIES, 1},
            {series, RECIPE_LINE_SERIES, 1},
            {QStringLiteral("End ") + word, kind, 0}};
}
} // namespace

// The hidden flag of the unit procedure above `from` (false when there is none).
bool CQUORVANTAView::hiddenAbove(int from) const
{
    for (int j = from; j >= 0; --j) {
        if (m_lineButtons.at(j)->GetItemType() == RECIPE_LINE_UNIT_PROCEDURE)
            return m_lineButtons.at(j)->line().hidden;
    }
    return false;
}

void CQUORVANTAView::InsertKeywordBlock(int where, const QString& keyword, int kind, long blockNumber, long,
                                        bool hidden, bool breakpoint)
{
    const int selected = GetFirstSelectedIndex();
    if (m_document.stepID < 0 || selected < 0 || lineWidth(1) == 0 || !IsKeywordLine(kind))
        return;
    const WaitCursor wait;
    const bool newBlock = blockNumber == -1;
    const RecipeLineRecord& near = m_lineButtons.at(selected)->line();
    if (newBlock) { // a moved line keeps its own flags
        const bool afterUnitProcedure = where == 2 && near.kind == RECIPE_LINE_UNIT_PROCEDURE;
        std::tie(hidden, breakpoint) =
            std::pair(afterUnitProcedure ? near.hidden : hiddenAbove(selected - 1), false);
        blockNumber = m_nNextBlockNumber;
    }
    const int first = where == 1 ? selected : selected + 1;
    const QList<KeywordLine> lines = KeywordLines(keyword, kind, newBlock);
    QList<RecipeLineRecord> records;
    for (qsizetype n = 0; n < lines.size(); ++n) {
        RecipeLineRecord record;
        std::tie(record.insertAt, record.kind, record.typeText) =
            std::tuple(first + int(n), lines[n].kind, lines[n].type);
        std::tie(record.displayText, record.indent) =
            std::pair(lines[n].type, near.indent + lines[n].indentStep);
        std::tie(record.itemID, record.stepID) = std::pair(long(first + n + 1), m_document.stepID);
        record.operationNumber = lines[n].indentStep == 0 ? blockNumber : 0;
        std::tie(record.width, record.hidden, record.breakpoint) =
            std::tuple(lineWidth(record.indent), hidden, breakpoint);
        record.topY = insertTop(selected, where);
        if (record.width <= 0)
            return;
        records << record;
    }
    QList<long> regenerated; // transfers whose destinations the block changed
    const bool written = writeInsert([&](CDaoDatabase& step) {
        CRecipeInsertWriter rows(step, m_document.stepID);
        rows.ShiftRows(first + 1, long(records.size()));
        for (RecipeLineRecord& record : records)
            record.rowKey =
                rows.InsertRow({record.itemID, record.indent, QString(), QString(), record.operationNumber,
                                record.itemID, record.typeText, QString(), 0, hidden, breakpoint});
        CRecipeEditWriter::AddNewDestinations(m_document.stepID, regenerated);
        regenerated = CRecipeEditWriter::RegenerateTexts(m_document.stepID, regenerated);
    });
    if (!written)
        return;
    for (RecipeLineRecord& record : records) {
        if (!addInsertedLine(record))
            return;
    }
    if (newBlock && records.size() > 1)
        ++m_nNextBlockNumber;
    for (int j = first; j < LineCount(); ++j) { // keyword lines take their position as id
        if (IsKeywordLine(Line(j)->GetItemType()))
            Line(j)->line().itemID = j + 1;
    }
    OnLineClicked(m_lineButtons.at(first), false);
    finishInsert(first, false);
    RefreshAutomationModel(m_document.stepID);
    CRecipeEditWriter::ShowRegeneratedTexts(m_document.stepID, regenerated);
}
