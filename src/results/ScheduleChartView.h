#pragma once
// The drawn schedule on screen, sized to the whole chart (it sits in a scroll area). A click on a
// bar selects it; the selection is also set from outside (the recipe line the user selects).

#include "results/SchedulePainter.h"

#include <QWidget>

class CScheduleChartView : public QWidget {
    Q_OBJECT
public:
    explicit CScheduleChartView(QWidget* parent = nullptr);

    // The chart must outlive the view's next paint; call again after it changes.
    void SetChart(const ScheduleChart* chart);
    // Selects the bar (row -1: none) and scrolls it into view.
    void Select(int row, int bar);
    int SelectedRow() const { return m_row; }
    int SelectedBar() const { return m_bar; }
    QRect BarRect(int row, int bar) const;
    // The scale that shows the whole span in that width.
    void FitToWidth(int width);

signals:
    void barClicked(int row, int bar);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    bool event(QEvent* event) override;

private:
    static const ScheduleChart& Empty();

    const ScheduleChart* m_chart = &Empty();
    CSchedulePainter m_painter{Empty(), {}};
    int m_row = -1;
    int m_bar = -1;
    int m_fitWidth = 0;
};
