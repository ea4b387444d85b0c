// What the text-recipe view paints around its lines: labels, the rule above each unit procedure,
// breakpoint and remark marks and the line at which a paused run stopped.

#include "foundation/common/concerns/DisplayOptions.h"
#include "recipe/view/QuorvantaView.h"
#include "recipe/view/RecipeButton.h"
#include "results/RecipeMarks.h"

#include <QPainter>

namespace {
const QColor HIDDEN_LABEL_COLOUR(0, 255, 0);
constexpr int RULE_LENGTH = 411;
} // namespace

void CQUORVANTAView::drawLineMarks(QPainter& painter, const CRecipeButton* line, int index, long stoppedLine)
{
    const RecipeLineRecord& record = line->line();
    const int top = line->m_top + m_nScrollOffsetY;
    if (top > viewport()->height() || top + line->m_height < -UNIT_PROCEDURE_GAP - LINE_GAP)
        return; // out of sight
    const bool unitProcedure = record.kind == RECIPE_LINE_UNIT_PROCEDURE;
    if (!m_bJapanese)
        painter.setFont(unitProcedure ? m_fontBold : m_fontNormal);
    painter.setPen(palette().text().color());
    if (unitProcedure) {
        const int ruleTop = top - UNIT_PROCEDURE_GAP - LINE_GAP;
        painter.drawText(QRect(m_nScrollOffsetX, ruleTop, 4000, UNIT_PROCEDURE_GAP), Qt::AlignLeft | Qt::AlignTop,
                         QString(RULE_LENGTH, QLatin1Char('-')));
    }
    if (record.hidden)
        painter.setPen(HIDDEN_LABEL_COLOUR);
    painter.drawText(QRect(m_nScrollOffsetX + LABEL_X + 3, top, line->m_x - LABEL_X, line->m_height),
                     Qt::AlignLeft | Qt::AlignTop, record.label);
    RecipeMark mark;
    if (LineMarkOf(record.severity, record.breakpoint, CurrentDisplayOptions().warnings, &mark)) {
        const QPixmap& pixmap = RecipeMarkPixmap(mark);
        painter.drawPixmap(m_nScrollOffsetX + 5 + pixmap.width(), top, pixmap);
    }
    if (index + 1 == stoppedLine)
        painter.drawPixmap(m_nScrollOffsetX, top, RecipeMarkPixmap(RecipeMark::Stopped));
}
