#pragma once
// A schedule on paper: the chart cut into pages, rows down and time across, each page with the
// title, its page number, the row titles and the time axis. Printers start from the session's
// page set-up.

#include "results/ScheduleChart.h"

#include <QList>

#include <utility>

class QPrinter;
class QWidget;

// The pages the chart takes on that printer: bands of whole rows down, bands of time across.
struct SchedulePages {
    QList<std::pair<int, int>> rowBands; // [first, last) rows of each band
    int timeBands = 1;
    double secondsPerPage = 3600;
    int Count() const { return int(rowBands.size()) * timeBands; }
};
SchedulePages PaginateSchedule(const ScheduleChart& chart, QPrinter& printer);
// Prints every page; the number printed (0 when the printer cannot be drawn on).
int PrintSchedule(const ScheduleChart& chart, const QString& title, QPrinter& printer);

void ShowSchedulePrintDialog(const ScheduleChart& chart, const QString& title);
void ShowSchedulePrintPreview(const ScheduleChart& chart, const QString& title, QWidget* parent);
