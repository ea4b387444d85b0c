// Building the lines of the text-recipe view from the step's rows.

#include "foundation/common/concerns/DisplayOptions.h"
#include "foundation/common/MessageBox.h"
#include "foundation/common/concerns/SubsystemConcerns.h"
#include "foundation/common/WaitCursor.h"
#include "recipe/view/QuorvantaView.h"
#include "recipe/view/RecipeButton.h"
#include "recipe/lines/RecipeLineSet.h"
#include "recipe/lines/RecipeLineTexts.h"
#include "recipe/lines/RecipeLineSources.h"

#include <QApplication>

namespace {
QString MissingRowMessage(long id, const char* table)
{
    return QStringLiteral("Could not find the record with ID: %1 in %2 Table!").arg(id).arg(QLatin1String(table));
}
} // namespace

void CQUORVANTAView::createFonts()
{
    if (std::exchange(m_bFontsCreated, true))
        return;
    m_fontNormal = QApplication::font();
    m_fontNormal.setPointSize(8);
    m_fontNormal.setWeight(QFont::Normal);
    m_fontBold = m_fontNormal;
    m_fontBold.setWeight(QFont::Bold);
    m_fontUnderline = m_fontNormal;
    m_fontUnderline.setUnderline(true);
}

const QFont* CQUORVANTAView::fontOfKind(int kind) const
{
    if (IsKeywordLine(kind))
        return &m_fontUnderline;
    if (m_bJapanese)
        return nullptr;
    return kind == RECIPE_LINE_UNIT_PROCEDURE ? &m_fontBold : &m_fontNormal;
}

int CQUORVANTAView::lineWidth(int indent) const
{
    if (m_bNarrow)
        return NARROW_WIDTH - (indent - 1) * INDENT_WIDTH;
    return m_nClientWidth - (LEFT_MARGIN + m_nScrollOffsetX) - 20 - indent * INDENT_WIDTH;
}

void CQUORVANTAView::LoadRecipeLines()
{
    if (m_document.stepID < 0)
        return;
    const WaitCursor wait;
    createFonts();
    m_textHeights.Clear();
    m_nClientWidth = m_nPageWidth = viewport()->width();
    m_nClientHeight = m_nPageHeight = viewport()->height();
    m_bNarrow = m_nClientWidth < MIN_WIDTH;
    const std::optional<std::vector<RecipeLineSetRow>> rows = CRecipeLineSet::ReadAll(m_document.stepID);
    if (!rows) {
        QvMessageBox(QStringLiteral("Can't open TextRecipe Table to generate recipe text!"), MB_OK);
        return;
    }
    const std::optional<QHash<long, int>> severities =
        AreRemarkIconsDisplayed() ? ReadStepRemarkSeverities(m_document.stepID) : std::nullopt;
    long largestBlock = 0;
    m_lineButtons.reserve(qsizetype(rows->size()));
    for (const RecipeLineSetRow& row : *rows) {
        RecipeLineRecord record;
        if (!fillRecord(row, record, &largestBlock))
            return;
        if (severities && record.kind == RECIPE_LINE_OPERATION)
            record.severity = severities->value(record.itemID, -1);
        if (record.width <= 0 || !AddLineButton(record))
            return;
        m_nNextLineY = record.topY;
    }
    m_nNextBlockNumber = largestBlock + 1;
    m_bLinesLoaded = true; // only after a complete build
    deliverPolishRequests();
    RecalcLayout(false, m_nClientWidth, m_nClientHeight);
    selectFirstLineAfterLoad();
    viewport()->update();
}

bool CQUORVANTAView::fillRecord(const RecipeLineSetRow& row, RecipeLineRecord& record, long* largestBlock)
{
    record.typeText = row.type;
    record.kind = RecipeLineKindOf(record.typeText);
    std::tie(record.label, record.indent, record.operationNumber, record.unitProcedureNumber) =
        std::tuple(row.label, row.indent, row.opNumber, row.upNumber);
    std::tie(record.stepID, record.hidden, record.breakpoint, record.rowKey) =
        std::tuple(m_document.stepID, row.hide, row.breakpoint, row.rowKey);
    record.topY = m_nNextLineY;
    record.width = lineWidth(record.indent);
    if (record.kind == RECIPE_LINE_UNIT_PROCEDURE)
        return fillUnitProcedure(row, record);
    if (record.kind == RECIPE_LINE_OPERATION)
        return fillOperation(row, record);
    if (record.kind == 0) {
        QvMessageBox(QStringLiteral("Wrong type found in recipe text array!"), MB_OK | MB_ICONERROR);
        return false;
    }
    record.displayText = record.typeText;
    record.itemID = row.sequence;
    if (record.typeText.startsWith(QLatin1String("Start"), Qt::CaseInsensitive))
        *largestBlock = qMax(*largestBlock, record.operationNumber);
    return true;
}

bool CQUORVANTAView::fillUnitProcedure(const RecipeLineSetRow& row, RecipeLineRecord& record)
{
    record.itemID = row.id;
    if (!row.unitProcedureFound) {
        QvMessageBox(MissingRowMessage(record.itemID, "Unit Procedure"), MB_OK | MB_ICONERROR);
        return false;
    }
    FillUnitProcedureTexts(m_document.stepID, row, record);
    return true;
}

QString CQUORVANTAView::unitProcedureText(const QString& name, const QString& comment) const
{
    return UnitProcedureLineText(name, comment);
}

bool CQUORVANTAView::fillOperation(const RecipeLineSetRow& row, RecipeLineRecord& record)
{
    record.itemID = row.id;
    if (!row.operationFound) {
        QvMessageBox(MissingRowMessage(record.itemID, "Operation"), MB_OK | MB_ICONERROR);
        return false;
    }
    FillOperationTexts(row, record);
    return true;
}

bool CQUORVANTAView::AddLineButton(RecipeLineRecord& record)
{
    if (record.kind < RECIPE_LINE_UNIT_PROCEDURE || record.kind > RECIPE_LINE_SERIES)
        return false;
    auto* line = new CRecipeButton(fontOfKind(record.kind), record.displayText, record.typeText, record.kind,
                                   record.itemID, record.stepID, record.hidden, this, viewport());
    if (record.kind != RECIPE_LINE_OPERATION)
        record.operationTypeID = -1;
    line->line() = record;
    if (record.kind == RECIPE_LINE_UNIT_PROCEDURE)
        record.topY += UNIT_PROCEDURE_GAP + LINE_GAP;
    line->m_x = LEFT_MARGIN + record.indent * INDENT_WIDTH;
    line->m_top = record.topY;
    line->m_width = record.width;
    line->m_height = line->Measure(record.width);
    if (record.insertAt < 0 || record.insertAt >= LineCount())
        m_lineButtons.append(line);
    else
        m_lineButtons.insert(record.insertAt, line);
    ++m_nButtonsCreated;
    record.topY = line->m_top + line->m_height + LINE_GAP;
    return true;
}

// Every new window posts a polish request. Delivered here in one pass rather than left queued:
// removing a window with a request still queued searches the whole queue, so closing a view of
// thousands of lines before the event loop ran would cost the square of its lines.
void CQUORVANTAView::deliverPolishRequests()
{
    QCoreApplication::sendPostedEvents(nullptr, QEvent::PolishRequest);
}

void CQUORVANTAView::selectFirstLineAfterLoad()
{
    const bool fromExplorer = std::exchange(m_document.openedFromExplorer, false);
    if (m_lineButtons.isEmpty()) {
        if (fromExplorer) // an empty step opened from the Process Explorer gets its first unit procedure
            InsertUnitProcedure(2, -1, QString(), false, false);
        return;
    }
    if (!fromExplorer) {
        SelectItem(0);
        return;
    }
    const ProcessTreeSelection tree = GetTreeSelection();
    m_bSyncHeldOff = true;
    if (tree.operationID > -1)
        SelectAndShowItem(tree.operationID, RECIPE_LINE_OPERATION);
    else if (tree.unitProcedureID > -1)
        SelectAndShowItem(tree.unitProcedureID, RECIPE_LINE_UNIT_PROCEDURE);
    if (GetFirstSelectedIndex() < 0)
        SelectItem(0);
    m_bSyncHeldOff = false;
}
