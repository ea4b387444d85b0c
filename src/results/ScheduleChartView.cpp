#include "results/ScheduleChartView.h"

#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QScrollArea>

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
    m_painter.Paint(painter, m_painter.SliceIn(event->rect()));
}

void CScheduleChartView::mousePressEvent(QMouseEvent* event)
{
    int row = -1;
    int bar = -1;
    if (event->button() == Qt::LeftButton && m_painter.BarAt(event->position().toPoint(), &row, &bar)) {
        Select(row, bar);
        emit barClicked(row, bar);
    }
    QWidget::mousePressEvent(event);
}
