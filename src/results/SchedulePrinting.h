#pragma once
// A schedule on paper: the chart cut into pages, rows down and time across, each page with the
// title, its page number, the row titles and the time axis. Printers start from the session's
// page set-up.

#include "results/ScheduleChart.h"

class QPrinter;
class QWidget;

// The pages the chart takes on that printer: (row bands, time bands).
struct SchedulePages {
    int rowBands = 1;
    int timeBands = 1;
    int rowsPerPage = 1;
    double secondsPerPage = 3600;
    int Count() const { return rowBands * timeBands; }
};
SchedulePages PaginateSchedule(const ScheduleChart& chart, QPrinter& printer);
// Prints every page; the number printed (0 when the printer cannot be drawn on).
int PrintSchedule(const ScheduleChart& chart, const QString& title, QPrinter& printer);

void ShowSchedulePrintDialog(const ScheduleChart& chart, const QString& title);
void ShowSchedulePrintPreview(const ScheduleChart& chart, const QString& title, QWidget* parent);
