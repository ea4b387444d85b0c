#pragma once
// Draws a laid-out schedule: the row titles on the left, the time axis in h:min from the start on
// top, a bar per operation (or batch) with its caption, remark and breakpoint marks as the recipe
// view draws them, the selected bar outlined. The screen draws only what is exposed; a printed
// page draws a slice of rows and times.

#include "results/ScheduleChart.h"

#include <QList>
#include <QRect>

class QFontMetrics;
class QPainter;

struct ScheduleScale {
    double pixelsPerHour = 120;
    int labelWidth = 260;
    int rowHeight = 26; // of one lane
    int axisHeight = 28;
};

// What one drawing covers: rows [firstRow, lastRow) and times [from, to] in seconds.
// rowOrigin and timeOrigin are the row and time drawn at the top left of the bar area.
struct ScheduleSlice {
    int rowOrigin = 0;
    int firstRow = 0;
    int lastRow = 0;
    double timeOrigin = 0;
    double from = 0;
    double to = 0;
};

class CSchedulePainter {
public:
    CSchedulePainter(const ScheduleChart& chart, ScheduleScale scale);

    // The whole chart drawn at once.
    QSize FullSize() const;
    // The part of the whole chart that lies in rect (in whole-chart coordinates).
    ScheduleSlice SliceIn(const QRect& rect) const;
    // titleLeft: where the row titles are drawn, over the bars (the screen keeps them in view
    // while the chart scrolls sideways).
    void Paint(QPainter& painter, const ScheduleSlice& slice, int titleLeft = 0) const;
    // The bar at a point of the whole chart; false between bars.
    bool BarAt(const QPoint& point, int* row, int* bar) const;
    QRect BarRect(int row, int bar) const;

    void SetSelected(int row, int bar) { m_selectedRow = row, m_selectedBar = bar; }
    const ScheduleScale& Scale() const { return m_scale; }
    void SetScale(const ScheduleScale& scale) { m_scale = scale; }
    // The height of rows [first, last).
    int RowsHeight(int first, int last) const
    {
        return (m_tops.at(last) - m_tops.at(first)) * m_scale.rowHeight;
    }

private:
    double X(double seconds, const ScheduleSlice& slice) const;
    int Y(int row, const ScheduleSlice& slice) const;
    int RowAt(int y) const;
    QRectF BarRectIn(int row, const ScheduleBar& bar, const ScheduleSlice& slice) const;
    void PaintAxis(QPainter& painter, const ScheduleSlice& slice) const;
    void PaintRow(QPainter& painter, int row, const ScheduleSlice& slice) const;
    void PaintTitles(QPainter& painter, const ScheduleSlice& slice, int titleLeft) const;
    void PaintBar(QPainter& painter, const ScheduleBar& bar, const QRectF& rect, bool selected) const;

    const ScheduleChart* m_chart;
    ScheduleScale m_scale;
    QList<int> m_tops; // lanes above each row, and the total at the end
    int m_selectedRow = -1;
    int m_selectedBar = -1;
};

// The scale at which the chart's span fills width beside its row titles (each title as wide as
// fonts measures it, within bounds), so the whole schedule shows at once when it can.
ScheduleScale FitScheduleScale(const ScheduleChart& chart, const QFontMetrics& fonts, int width);
// The axis step in minutes that keeps ticks at least minPixels apart at that scale.
int ScheduleTickMinutes(double pixelsPerHour, double minPixels);
