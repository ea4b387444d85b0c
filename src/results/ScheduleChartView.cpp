#include "results/ScheduleChartView.h"

#include <QHelpEvent>
#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QScrollArea>
#include <QToolTip>

CScheduleChartView::CScheduleChartView(QWidget* parent) : QWidget(parent)
{
    setAttribute(Qt::WA_OpaquePaintEvent);
    setFocusPolicy(Qt::ClickFocus);
}

const ScheduleChart& CScheduleChartView::Empty()
{
    static const ScheduleChart empty;
    return empty;
}

void CScheduleChartView::SetChart(const ScheduleChart* chart)
{
    m_chart = chart ? chart : &Empty();
    m_painter = CSchedulePainter(*m_chart, m_painter.Scale());
    m_row = m_bar = -1;
    m_painter.SetSelected(-1, -1);
    FitToWidth(m_fitWidth);
}

void CScheduleChartView::FitToWidth(int width)
{
    m_fitWidth = width;
    if (width > 0)
        m_painter.SetScale(FitScheduleScale(*m_chart, fontMetrics(), width));
    setFixedSize(m_painter.FullSize());
    update();
}

QRect CScheduleChartView::BarRect(int row, int bar) const
{
    return m_painter.BarRect(row, bar);
}

void CScheduleChartView::Select(int row, int bar)
{
    m_row = row;
    m_bar = row < 0 ? -1 : bar;
    m_painter.SetSelected(m_row, m_bar);
    update();
    if (m_row < 0)
        return;
    for (QWidget* w = parentWidget(); w; w = w->parentWidget()) {
        if (auto* area = qobject_cast<QScrollArea*>(w)) {
            const QRect rect = BarRect(m_row, m_bar);
            area->ensureVisible(rect.center().x(), rect.center().y(), rect.width() / 2 + 20, 40);
            break;
        }
    }
}

void CScheduleChartView::paintEvent(QPaintEvent* event)
{
    QPainter painter(this);
    painter.fillRect(event->rect(), Qt::white);
    painter.setClipRect(event->rect());
    // The titles stay at the visible left edge; a sideways scroll repaints the whole view.
    m_painter.Paint(painter, m_painter.SliceIn(event->rect()), -x());
}

void CScheduleChartView::mousePressEvent(QMouseEvent* event)
{
    int row = -1;
    int bar = -1;
    const QPoint point = event->position().toPoint();
    const bool overTitles = point.x() < -x() + m_painter.Scale().labelWidth;
    if (event->button() == Qt::LeftButton && !overTitles && m_painter.BarAt(point, &row, &bar)) {
        Select(row, bar);
        emit barClicked(row, bar);
    }
    QWidget::mousePressEvent(event);
}

// A bar's tip: its caption, times and remarks, which the bar may be too short to show.
bool CScheduleChartView::event(QEvent* event)
{
    if (event->type() != QEvent::ToolTip)
        return QWidget::event(event);
    auto* help = static_cast<QHelpEvent*>(event);
    int row = -1;
    int bar = -1;
    if (help->pos().x() < -x() + m_painter.Scale().labelWidth || !m_painter.BarAt(help->pos(), &row, &bar)) {
        QToolTip::hideText();
        return true;
    }
    const ScheduleBar& shown = m_chart->rows.at(row).bars.at(bar);
    QStringList lines{shown.caption, FormatScheduleTime(shown.start) + QStringLiteral(" - ") +
                                         FormatScheduleTime(shown.end)};
    for (int entry : shown.entries)
        lines << m_chart->entries.at(entry).remarks;
    QToolTip::showText(help->globalPos(), lines.join(QLatin1Char('\n')), this);
    return true;
}
