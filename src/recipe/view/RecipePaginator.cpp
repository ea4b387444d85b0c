#include "recipe/view/RecipePaginator.h"

#include "recipe/lines/RecipeLineRecord.h"

#include <QFontDatabase>
#include <QFontMetrics>
#include <QLocale>
#include <QPaintDevice>
#include <QPainter>

const char* const CRecipePaginator::RULER =
    "---------1---------2---------3---------4---------5---------6---------7---------8-";

namespace {
constexpr int RULE_SPACE = 50;

// Where the row that starts at `start` ends: before a line break, before the character that makes
// the row as wide as `width`, moved back to just after the last space when that breaks a word.
int RowEnd(const QString& text, int start, int width, const QFontMetrics& metrics)
{
    int end = start;
    for (; end < text.size(); ++end) {
        const QChar c = text.at(end);
        if (c == QLatin1Char('\r') || c == QLatin1Char('\n'))
            return end;
        if (end > start && metrics.horizontalAdvance(text.mid(start, end - start + 1)) >= width)
            break;
    }
    if (end >= text.size() || text.at(end).isSpace())
        return end;
    const int space = int(text.lastIndexOf(QLatin1Char(' '), end - 1));
    return space > start ? space + 1 : end;
}

int SkipBreak(const QString& text, int position)
{
    if (position < text.size() && text.at(position) == QLatin1Char('\r'))
        ++position;
    if (position < text.size() && text.at(position) == QLatin1Char('\n'))
        ++position;
    return position;
}
} // namespace

CRecipePaginator::CRecipePaginator(QList<PrintedLine> lines, QString title, Clock clock)
    : m_lines(std::move(lines)), m_title(std::move(title)), m_clock(std::move(clock))
{
    m_font = QFontDatabase::systemFont(QFontDatabase::FixedFont);
    m_font.setPointSize(10);
}

int CRecipePaginator::lineX(const PrintedLine& line) const
{
    return m_left + line.indent * m_indentStep;
}

int CRecipePaginator::lineWidth(const PrintedLine& line) const
{
    return qMax(m_textWidth / COLUMNS, m_textWidth - line.indent * m_indentStep);
}

QStringList CRecipePaginator::rowsOf(const PrintedLine& line, const QFontMetrics& metrics) const
{
    const QString text = QString(line.text).replace(QLatin1Char('\t'), QStringLiteral("    "));
    QStringList rows;
    for (int start = 0; start < text.size() || rows.isEmpty();) {
        const int end = RowEnd(text, start, lineWidth(line), metrics);
        rows << text.mid(start, end - start);
        start = SkipBreak(text, end);
        if (end >= text.size() && start >= text.size())
            break;
    }
    return rows;
}

int CRecipePaginator::Paginate(QPaintDevice* device)
{
    m_font = QFont(m_font, device);
    const QFontMetrics metrics(m_font, device);
    m_pageWidth = device->width();
    m_pageHeight = device->height();
    m_lineHeight = qMax(1, metrics.lineSpacing());
    m_textWidth = metrics.horizontalAdvance(QLatin1String(RULER));
    m_left = (m_pageWidth - m_textWidth) / 2;
    m_bodyTop = 5 * m_lineHeight;
    m_bodyBottom = m_pageHeight - 6 * m_lineHeight;
    m_indentStep = m_pageWidth / 10;
    m_rows.clear();
    m_pages = {{}};
    int y = 0;
    for (int index = 0; index < m_lines.size(); ++index) {
        m_rows << rowsOf(m_lines.at(index), metrics);
        placeLine(index, int(m_rows.last().size()), &y);
    }
    return pageCount();
}

// Places a line's rows from y on: on this page when they fit, else on a new page when the line fits
// a page, else split over as many pages as it needs.
void CRecipePaginator::placeLine(int index, int rowCount, int* y)
{
    const int usable = qMax(m_lineHeight, m_bodyBottom - m_bodyTop);
    const bool rule = m_lines.at(index).kind == RECIPE_LINE_UNIT_PROCEDURE && index > 0;
    if (rule && *y > 0)
        *y += RULE_SPACE + m_lineHeight;
    const int height = rowCount * m_lineHeight;
    if (*y > 0 && *y + height > usable && height <= usable) {
        m_pages.append(QList<Piece>());
        *y = 0;
    }
    bool first = true;
    for (int row = 0; row < rowCount;) {
        int fit = qMin(rowCount - row, (usable - *y) / m_lineHeight);
        if (fit <= 0) {
            m_pages.append(QList<Piece>());
            *y = 0;
            fit = qMin(rowCount - row, usable / m_lineHeight);
        }
        m_pages.last().append({index, row, fit, *y, first && rule && *y > 0});
        first = false;
        row += fit;
        *y += fit * m_lineHeight;
    }
}

QString CRecipePaginator::PageHeader(int page) const
{
    const QDateTime now = m_clock();
    const QString stamp = now.isValid() ? QLocale::system().toString(now.date(), QLocale::ShortFormat) +
                                              QStringLiteral("  ") + now.time().toString(QStringLiteral("hh:mm:ss"))
                                        : QString();
    const QString right = QStringLiteral("%1,      Page %2").arg(stamp).arg(page);
    QString left = m_title;
    if (left.size() + right.size() > COLUMNS)
        left = QStringLiteral("Text Recipe");
    return left.leftJustified(COLUMNS - right.size(), QLatin1Char(' ')) + right;
}

void CRecipePaginator::PrintPage(QPainter& painter, int page) const
{
    if (page < 1 || page > pageCount())
        return;
    painter.setFont(m_font);
    const int headerTop = 2 * m_lineHeight;
    painter.drawText(QRect(m_left, headerTop, m_textWidth * 2, m_lineHeight), Qt::AlignLeft | Qt::AlignTop,
                     PageHeader(page));
    const int headerRule = headerTop + 3 * m_lineHeight / 2;
    painter.drawLine(m_left, headerRule, m_left + m_textWidth, headerRule);
    for (const Piece& piece : m_pages.at(page - 1)) {
        const PrintedLine& line = m_lines.at(piece.line);
        const int top = m_bodyTop + piece.y;
        if (piece.ruleBefore)
            painter.drawText(QRect(m_left, top - RULE_SPACE - m_lineHeight, m_textWidth * 2, m_lineHeight),
                             Qt::AlignLeft | Qt::AlignTop, QString(COLUMNS, QLatin1Char('-')));
        if (piece.firstRow == 0)
            painter.drawText(QRect(m_left, top, lineX(line) - m_left, m_lineHeight), Qt::AlignLeft | Qt::AlignTop,
                             line.label);
        for (int row = 0; row < piece.rowCount; ++row)
            painter.drawText(QRect(lineX(line), top + row * m_lineHeight, lineWidth(line) + m_textWidth / COLUMNS,
                                   m_lineHeight),
                             Qt::AlignLeft | Qt::AlignTop, m_rows.at(piece.line).at(piece.firstRow + row));
    }
}
