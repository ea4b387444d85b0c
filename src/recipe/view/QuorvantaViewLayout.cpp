// Layout and scrolling of the text-recipe view. A line's top is in content coordinates; the content
// offsets (zero or negative) move it into the viewport. The vertical range is the content height
// once it exceeds the client; a position reaches at most range - page, so the last line ends at the
// bottom of the client rather than scrolling out of sight.

#include "recipe/view/QuorvantaView.h"
#include "recipe/view/RecipeButton.h"

#include <QScrollBar>

void CQUORVANTAView::RecalcLayout()
{
    RecalcLayout(false, viewport()->width(), viewport()->height());
}

void CQUORVANTAView::RecalcLayout(bool keepPositions, int cx, int cy)
{
    if (!keepPositions) {
        m_nClientWidth = m_nPageWidth = cx;
        m_nClientHeight = m_nPageHeight = cy;
        m_bNarrow = cx < MIN_WIDTH;
        int y = 0;
        if (!measureLines(cx, &y))
            return;
        m_nHorzRange = m_bNarrow ? MIN_WIDTH : 0;
        m_nContentHeight = y;
        m_nVertRange = y <= cy ? 0 : y;
        m_nHorzPos = qBound(0, m_nHorzPos, scrollMaximum(Qt::Horizontal));
        m_nVertPos = qBound(0, m_nVertPos, scrollMaximum(Qt::Vertical));
        m_nScrollOffsetX = -m_nHorzPos;
        m_nScrollOffsetY = -m_nVertPos;
        updateScrollBars();
    }
    placeLines();
}

// After an edit that changed only the lines [from, to) and kept their number, at the laid-out client
// size: those are measured and placed again. When their heights changed, every line is laid out.
void CQUORVANTAView::relayoutLines(int from, int to)
{
    const int cx = viewport()->width(), cy = viewport()->height();
    if (cx != m_nClientWidth || cy != m_nClientHeight || from < 0 || from >= to || to > LineCount())
        return RecalcLayout(false, cx, cy);
    const CRecipeButton* next = to < LineCount() ? Line(to) : nullptr;
    const int end =
        !next ? m_nContentHeight
              : next->m_top -
                    (next->GetItemType() == RECIPE_LINE_UNIT_PROCEDURE ? UNIT_PROCEDURE_GAP + LINE_GAP : 0);
    const CRecipeButton* above = from > 0 ? Line(from - 1) : nullptr;
    int y = above ? above->m_top + above->m_height + LINE_GAP : 0;
    for (int j = from; j < to; ++j) {
        if (!measureLine(Line(j), cx - LEFT_MARGIN - 20, &y))
            return RecalcLayout(false, cx, cy);
    }
    if (y != end)
        return RecalcLayout(false, cx, cy);
    placeLinesBetween(from, to);
}

// Tops, widths and heights of every line; false (nothing placed) at a line that cannot be laid out.
bool CQUORVANTAView::measureLines(int cx, int* contentHeight)
{
    const int baseWidth = cx - LEFT_MARGIN - 20;
    int y = 0;
    for (CRecipeButton* line : std::as_const(m_lineButtons)) {
        if (!measureLine(line, baseWidth, &y))
            return false;
    }
    *contentHeight = y;
    return true;
}

// The line's place and size from y on; y moves below it. False when it cannot be laid out.
bool CQUORVANTAView::measureLine(CRecipeButton* line, int baseWidth, int* y) const
{
    const RecipeLineRecord& record = line->line();
    if (record.kind < RECIPE_LINE_UNIT_PROCEDURE || record.kind > RECIPE_LINE_SERIES)
        return false;
    if (record.kind == RECIPE_LINE_UNIT_PROCEDURE)
        *y += UNIT_PROCEDURE_GAP + LINE_GAP;
    const int width = m_bNarrow ? NARROW_WIDTH - (record.indent - 1) * INDENT_WIDTH
                                : baseWidth - record.indent * INDENT_WIDTH;
    if (width <= 0)
        return false;
    line->m_x = LEFT_MARGIN + record.indent * INDENT_WIDTH;
    line->m_top = *y;
    line->m_width = width;
    line->m_height = line->Measure(width);
    *y += line->m_height + LINE_GAP;
    return true;
}

int CQUORVANTAView::scrollMaximum(Qt::Orientation orientation) const
{
    if (orientation == Qt::Vertical)
        return qMax(0, m_nVertRange - m_nPageHeight);
    return qMax(0, m_nHorzRange - m_nPageWidth);
}

void CQUORVANTAView::updateScrollBars()
{
    m_bPlacing = true;
    QScrollBar* vertical = verticalScrollBar();
    vertical->setRange(0, scrollMaximum(Qt::Vertical));
    vertical->setPageStep(qMax(1, m_nPageHeight));
    vertical->setSingleStep(qMax(1, m_nPageHeight / 10));
    vertical->setValue(m_nVertPos);
    QScrollBar* horizontal = horizontalScrollBar();
    horizontal->setRange(0, scrollMaximum(Qt::Horizontal));
    horizontal->setPageStep(qMax(1, m_nPageWidth));
    horizontal->setSingleStep(qMax(1, m_nPageWidth / 10));
    horizontal->setValue(m_nHorzPos);
    m_bPlacing = false;
}

// Only the lines in sight, or whose windows still are, move: the others are out of sight before and
// after, and take their places when a scroll or a resize brings them in. The test for sight is on
// plain numbers: it runs for every line.
void CQUORVANTAView::placeLines()
{
    const QRect client = viewport()->rect();
    QList<QPointer<CRecipeButton>> inSight;
    for (CRecipeButton* line : std::as_const(m_lineButtons)) {
        if (placeInSight(line, client))
            inSight.append(line);
    }
    for (const QPointer<CRecipeButton>& line : std::as_const(m_linesInSight)) {
        if (line && !inSight.contains(line))
            placeOutOfSight(line, client);
    }
    m_linesInSight = std::move(inSight);
    viewport()->update();
}

// The same of the lines [from, to) alone, the others staying where they are.
void CQUORVANTAView::placeLinesBetween(int from, int to)
{
    const QRect client = viewport()->rect();
    for (int j = from; j < to; ++j) {
        CRecipeButton* line = Line(j);
        const qsizetype shown = m_linesInSight.indexOf(line);
        if (placeInSight(line, client)) {
            if (shown < 0)
                m_linesInSight.append(line);
        } else if (shown >= 0) {
            placeOutOfSight(line, client);
            m_linesInSight.removeAt(shown);
        }
    }
    viewport()->update();
}

// The line at its place when that is in sight; false, nothing done, when it is not.
bool CQUORVANTAView::placeInSight(CRecipeButton* line, const QRect& client)
{
    const int x = line->m_x + m_nScrollOffsetX, y = line->m_top + m_nScrollOffsetY;
    if (line->m_width <= 0 || line->m_height <= 0 || x >= client.right() + 1 || x + line->m_width <= 0 ||
        y >= client.bottom() + 1 || y + line->m_height <= 0)
        return false;
    line->setGeometry(x, y, line->m_width, line->m_height);
    if (line->isHidden())
        line->show();
    return true;
}

// A line that left the sight goes to its place, when its window still shows.
void CQUORVANTAView::placeOutOfSight(CRecipeButton* line, const QRect& client)
{
    if (!line->isHidden() && line->geometry().intersects(client))
        line->setGeometry(line->m_x + m_nScrollOffsetX, line->m_top + m_nScrollOffsetY, line->m_width,
                          line->m_height);
}

void CQUORVANTAView::scrollContentsBy(int, int)
{
    if (m_bPlacing)
        return;
    m_nHorzPos = horizontalScrollBar()->value();
    m_nVertPos = verticalScrollBar()->value();
    m_nScrollOffsetX = -m_nHorzPos;
    m_nScrollOffsetY = -m_nVertPos;
    placeLines();
}

void CQUORVANTAView::scrollTo(Qt::Orientation orientation, int position)
{
    int& current = orientation == Qt::Vertical ? m_nVertPos : m_nHorzPos;
    position = qBound(0, position, scrollMaximum(orientation));
    if (position == current)
        return;
    current = position;
    m_nScrollOffsetX = -m_nHorzPos;
    m_nScrollOffsetY = -m_nVertPos;
    updateScrollBars();
    placeLines();
}

namespace {
// The position a scroll code asks for; the current one where the code changes nothing.
int ScrolledPosition(ScrollCode code, int position, int page, int maximum, int thumb)
{
    switch (code) {
    case ScrollCode::LineUp:
        return position - page / 10;
    case ScrollCode::LineDown:
        return position + page / 10;
    case ScrollCode::PageUp:
        return position - page;
    case ScrollCode::PageDown:
        return position + page;
    case ScrollCode::Thumb:
        return thumb;
    case ScrollCode::Top:
        return 0;
    case ScrollCode::Bottom:
        return maximum;
    }
    return position;
}
} // namespace

void CQUORVANTAView::OnVScroll(ScrollCode code, int position)
{
    scrollTo(Qt::Vertical,
             ScrolledPosition(code, m_nVertPos, m_nPageHeight, scrollMaximum(Qt::Vertical), position));
}

void CQUORVANTAView::OnHScroll(ScrollCode code, int position)
{
    scrollTo(Qt::Horizontal,
             ScrolledPosition(code, m_nHorzPos, m_nPageWidth, scrollMaximum(Qt::Horizontal), position));
}

void CQUORVANTAView::OnMouseWheel(int delta)
{
    OnVScroll(delta >= 0 ? ScrollCode::LineUp : ScrollCode::LineDown);
}

void CQUORVANTAView::SelectAndShowItem(long itemID, int kind)
{
    for (int index = 0; index < LineCount(); ++index) {
        const CRecipeButton* line = m_lineButtons.at(index);
        if (line->GetButtonID() != itemID || line->GetItemType() != kind)
            continue;
        SelectItem(index);
        if (m_nContentHeight > m_nClientHeight)
            scrollTo(Qt::Vertical, line->m_top < 26 ? 0 : line->m_top - 25);
        return;
    }
}

// After Up or Down moved the selection to index: pages so that the line is in sight.
void CQUORVANTAView::ensureLineVisible(int index, bool pageDown)
{
    const CRecipeButton* line = m_lineButtons.at(index);
    if (!pageDown && line->m_top + m_nScrollOffsetY < 0) {
        OnVScroll(ScrollCode::PageUp);
    } else if (pageDown && line->m_top + line->m_height + m_nScrollOffsetY > m_nClientHeight) {
        OnVScroll(ScrollCode::PageDown);
        OnVScroll(ScrollCode::LineUp);
    }
    // A line far out of sight (the view was scrolled away from the selection) is brought in.
    const int top = line->m_top + m_nScrollOffsetY;
    if (top < 0 || top + line->m_height > m_nClientHeight)
        scrollTo(Qt::Vertical, line->m_top < 26 ? 0 : line->m_top - 25);
}
