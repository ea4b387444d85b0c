#include "results/SchedulePainter.h"

#include "results/RecipeMarks.h"

#include <QFontMetrics>
#include <QPainter>

#include <algorithm>
#include <cmath>

namespace {
const QColor BAR_COLOUR(120, 170, 220);
const QColor WARNING_COLOUR(240, 200, 90);
const QColor ERROR_COLOUR(230, 110, 100);
const QColor HEADING_COLOUR(225, 230, 238);
const QColor GRID_COLOUR(215, 215, 215);

QColor BarColour(RemarkSeverity severity)
{
    switch (severity) {
    case RemarkSeverity::Error:
        return ERROR_COLOUR;
    case RemarkSeverity::Warning:
        return WARNING_COLOUR;
    case RemarkSeverity::None:
        break;
    }
    return BAR_COLOUR;
}

// The recipe view's severity numbers: 0 error, 1 warning, -1 none.
int MarkSeverity(RemarkSeverity severity)
{
    return severity == RemarkSeverity::Error ? 0 : severity == RemarkSeverity::Warning ? 1 : -1;
}
} // namespace

ScheduleScale FitScheduleScale(const ScheduleChart& chart, const QFontMetrics& fonts, int width)
{
    ScheduleScale scale;
    int titles = 0;
    for (const ScheduleRow& row : chart.rows)
        titles = std::max(titles, fonts.horizontalAdvance(row.title));
    titles = std::max(titles, fonts.horizontalAdvance(QStringLiteral("h:min from the start")));
    scale.labelWidth = std::clamp(titles + 16, 120, 320);
    const double hours = chart.span / 3600.0;
    if (hours > 0)
        scale.pixelsPerHour = std::clamp((width - scale.labelWidth - 40) / hours, 8.0, 3600.0);
    return scale;
}

int ScheduleTickMinutes(double pixelsPerHour, double minPixels)
{
    static const int steps[] = {1, 2, 5, 10, 15, 30, 60, 120, 240, 480, 720, 1440, 2880, 10080};
    for (int minutes : steps) {
        if (pixelsPerHour * minutes / 60.0 >= minPixels)
            return minutes;
    }
    return 10080 * int(std::ceil(minPixels / std::max(1.0, pixelsPerHour * 168)));
}

CSchedulePainter::CSchedulePainter(const ScheduleChart& chart, ScheduleScale scale)
    : m_chart(&chart), m_scale(scale)
{
    m_tops.reserve(chart.rows.size() + 1);
    int lanes = 0;
    for (const ScheduleRow& row : chart.rows) {
        m_tops << lanes;
        lanes += row.lanes;
    }
    m_tops << lanes;
}

QSize CSchedulePainter::FullSize() const
{
    const int width =
        m_scale.labelWidth + int(std::ceil(m_chart->span * m_scale.pixelsPerHour / 3600.0)) + 40;
    return {width, m_scale.axisHeight + m_tops.last() * m_scale.rowHeight + 1};
}

// The row at that height of the whole chart; the row count below the last.
int CSchedulePainter::RowAt(int y) const
{
    const int lane = std::max(0, (y - m_scale.axisHeight) / m_scale.rowHeight);
    const auto after = std::upper_bound(m_tops.cbegin(), m_tops.cend(), lane);
    return std::min(int(m_chart->rows.size()), int(after - m_tops.cbegin()) - 1);
}

ScheduleSlice CSchedulePainter::SliceIn(const QRect& rect) const
{
    ScheduleSlice slice;
    slice.firstRow = RowAt(rect.top());
    slice.lastRow = std::min(int(m_chart->rows.size()), RowAt(rect.bottom()) + 1);
    const double secondsPerPixel = 3600.0 / m_scale.pixelsPerHour;
    slice.from = std::max(0.0, (rect.left() - m_scale.labelWidth) * secondsPerPixel);
    slice.to = std::max(slice.from, (rect.right() - m_scale.labelWidth + 1) * secondsPerPixel);
    return slice;
}

double CSchedulePainter::X(double seconds, const ScheduleSlice& slice) const
{
    return m_scale.labelWidth + (seconds - slice.timeOrigin) * m_scale.pixelsPerHour / 3600.0;
}

int CSchedulePainter::Y(int row, const ScheduleSlice& slice) const
{
    return m_scale.axisHeight + (m_tops.at(row) - m_tops.at(slice.rowOrigin)) * m_scale.rowHeight;
}

QRectF CSchedulePainter::BarRectIn(int row, const ScheduleBar& bar, const ScheduleSlice& slice) const
{
    const double left = X(bar.start, slice);
    const double top = Y(row, slice) + bar.lane * m_scale.rowHeight + 3;
    return {left, top, std::max(2.0, X(bar.end, slice) - left), double(m_scale.rowHeight - 6)};
}

void CSchedulePainter::Paint(QPainter& painter, const ScheduleSlice& slice, int titleLeft) const
{
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing, false);
    PaintAxis(painter, slice);
    for (int row = slice.firstRow; row < slice.lastRow; ++row)
        PaintRow(painter, row, slice);
    PaintTitles(painter, slice, titleLeft);
    painter.restore();
}

void CSchedulePainter::PaintAxis(QPainter& painter, const ScheduleSlice& slice) const
{
    const int tick = ScheduleTickMinutes(m_scale.pixelsPerHour, 60) * 60;
    const int bottom = Y(slice.lastRow, slice);
    for (double t = std::floor(slice.from / tick) * tick; t <= slice.to; t += tick) {
        const double x = X(t, slice);
        if (x < m_scale.labelWidth)
            continue;
        painter.setPen(GRID_COLOUR);
        painter.drawLine(QPointF(x, m_scale.axisHeight), QPointF(x, bottom));
        painter.setPen(Qt::black);
        painter.drawLine(QPointF(x, m_scale.axisHeight - 6), QPointF(x, m_scale.axisHeight));
        painter.drawText(QRectF(x + 3, 0, 80, m_scale.axisHeight - 4), Qt::AlignBottom | Qt::AlignLeft,
                         FormatScheduleTime(t));
    }
    painter.drawLine(QPointF(X(slice.from, slice), m_scale.axisHeight),
                     QPointF(X(slice.to, slice), m_scale.axisHeight));
}

void CSchedulePainter::PaintRow(QPainter& painter, int row, const ScheduleSlice& slice) const
{
    const ScheduleRow& chartRow = m_chart->rows.at(row);
    const int top = Y(row, slice);
    const int height = chartRow.lanes * m_scale.rowHeight;
    const double left = X(slice.from, slice);
    const double right = X(slice.to, slice);
    if (chartRow.heading) {
        painter.fillRect(QRectF(left, top, right - left, height), HEADING_COLOUR);
        return;
    }
    painter.setPen(GRID_COLOUR);
    painter.drawLine(QPointF(left, top + height), QPointF(right, top + height));
    for (int b = 0; b < chartRow.bars.size(); ++b) {
        const ScheduleBar& bar = chartRow.bars.at(b);
        if (bar.end < slice.from || bar.start > slice.to)
            continue;
        QRectF rect = BarRectIn(row, bar, slice);
        rect.setLeft(std::max(rect.left(), double(m_scale.labelWidth)));
        rect.setRight(std::min(rect.right(), right));
        PaintBar(painter, bar, rect, row == m_selectedRow && b == m_selectedBar);
    }
}

// The title column and the axis caption on a white ground, at titleLeft.
void CSchedulePainter::PaintTitles(QPainter& painter, const ScheduleSlice& slice, int titleLeft) const
{
    const int bottom = Y(slice.lastRow, slice);
    painter.fillRect(QRect(titleLeft, 0, m_scale.labelWidth, bottom), Qt::white);
    painter.setPen(Qt::black);
    painter.drawText(QRect(titleLeft + 4, 0, m_scale.labelWidth - 8, m_scale.axisHeight),
                     Qt::AlignVCenter | Qt::AlignLeft, QStringLiteral("h:min from the start"));
    const QFont normal = painter.font();
    QFont bold = normal;
    bold.setBold(true);
    for (int row = slice.firstRow; row < slice.lastRow; ++row) {
        const ScheduleRow& chartRow = m_chart->rows.at(row);
        const QRect band(titleLeft, Y(row, slice), m_scale.labelWidth, chartRow.lanes * m_scale.rowHeight);
        if (chartRow.heading)
            painter.fillRect(band, HEADING_COLOUR);
        painter.setFont(chartRow.heading ? bold : normal);
        painter.setPen(Qt::black);
        const QRect text(band.left() + 4, band.top(), band.width() - 8, m_scale.rowHeight);
        painter.drawText(text, Qt::AlignVCenter | Qt::AlignLeft,
                         painter.fontMetrics().elidedText(chartRow.title, Qt::ElideRight, text.width()));
        painter.setPen(GRID_COLOUR);
        painter.drawLine(band.bottomLeft(), band.bottomRight());
    }
    painter.setFont(normal);
    painter.setPen(Qt::darkGray);
    painter.drawLine(titleLeft + m_scale.labelWidth - 1, 0, titleLeft + m_scale.labelWidth - 1, bottom);
}

void CSchedulePainter::PaintBar(QPainter& painter, const ScheduleBar& bar, const QRectF& rect,
                                bool selected) const
{
    painter.fillRect(rect, BarColour(bar.severity));
    painter.setPen(selected ? QPen(Qt::black, 2) : QPen(BarColour(bar.severity).darker(150)));
    painter.drawRect(rect);
    QRectF text = rect.adjusted(3, 0, -2, 0);
    RecipeMark mark;
    if (LineMarkOf(MarkSeverity(bar.severity), bar.breakpoint, true, &mark)) {
        const QPixmap& pixmap = RecipeMarkPixmap(mark);
        const double size = std::min(rect.height(), double(pixmap.height()));
        painter.drawPixmap(QRectF(rect.left() + 2, rect.center().y() - size / 2, size, size), pixmap,
                           pixmap.rect());
        text.setLeft(text.left() + size + 2);
    }
    if (text.width() < 12)
        return;
    painter.setPen(Qt::black);
    painter.drawText(text, Qt::AlignVCenter | Qt::AlignLeft,
                     painter.fontMetrics().elidedText(bar.caption, Qt::ElideRight, int(text.width())));
}

QRect CSchedulePainter::BarRect(int row, int bar) const
{
    return BarRectIn(row, m_chart->rows.at(row).bars.at(bar), ScheduleSlice()).toAlignedRect();
}

bool CSchedulePainter::BarAt(const QPoint& point, int* row, int* bar) const
{
    const int r = RowAt(point.y());
    if (point.y() < m_scale.axisHeight || point.x() < m_scale.labelWidth || r >= m_chart->rows.size())
        return false;
    for (int b = 0; b < m_chart->rows.at(r).bars.size(); ++b) {
        if (BarRect(r, b).contains(point)) {
            *row = r;
            *bar = b;
            return true;
        }
    }
    return false;
}
