#include "results/SchedulePrinting.h"

#include "foundation/common/PrintDialogService.h"
#include "results/SchedulePainter.h"

#include <QPainter>
#include <QPrintPreviewDialog>
#include <QPrinter>

#include <algorithm>
#include <cmath>

namespace {
constexpr int HEADER_HEIGHT = 34;
constexpr double SCREEN_DPI = 96.0;

// The page in screen-sized units, so the chart prints as it shows.
QSizeF LogicalPage(QPrinter& printer)
{
    const QRectF page = printer.pageRect(QPrinter::DevicePixel);
    const double scale = printer.resolution() / SCREEN_DPI;
    return {page.width() / scale, page.height() / scale};
}

void PaintHeader(QPainter& painter, const QString& title, int page, int count, double width)
{
    painter.setPen(Qt::black);
    painter.drawText(QRectF(0, 0, width, HEADER_HEIGHT - 8), Qt::AlignLeft | Qt::AlignVCenter, title);
    painter.drawText(QRectF(0, 0, width, HEADER_HEIGHT - 8), Qt::AlignRight | Qt::AlignVCenter,
                     QStringLiteral("Page %1 of %2").arg(page).arg(count));
}
} // namespace

SchedulePages PaginateSchedule(const ScheduleChart& chart, QPrinter& printer)
{
    const ScheduleScale scale;
    const CSchedulePainter painter(chart, scale);
    const QSizeF page = LogicalPage(printer);
    const int bodyHeight = std::max(scale.rowHeight, int(page.height()) - HEADER_HEIGHT - scale.axisHeight);
    SchedulePages pages;
    int first = 0;
    for (int row = 0; row < chart.rows.size(); ++row) { // a row taller than a page gets a page of its own
        if (row > first && painter.RowsHeight(first, row + 1) > bodyHeight) {
            pages.rowBands.append({first, row});
            first = row;
        }
    }
    pages.rowBands.append({first, int(chart.rows.size())});
    pages.secondsPerPage =
        std::max(60.0, (page.width() - scale.labelWidth - 10) * 3600.0 / scale.pixelsPerHour);
    pages.timeBands = std::max(1, int(std::ceil(chart.span / pages.secondsPerPage)));
    return pages;
}

int PrintSchedule(const ScheduleChart& chart, const QString& title, QPrinter& printer)
{
    const SchedulePages pages = PaginateSchedule(chart, printer);
    const QSizeF size = LogicalPage(printer);
    const CSchedulePainter chartPainter(chart, ScheduleScale());
    QPainter painter;
    if (!painter.begin(&printer))
        return 0;
    const double scale = printer.resolution() / SCREEN_DPI;
    int number = 0;
    for (const auto& [firstRow, lastRow] : pages.rowBands) {
        for (int column = 0; column < pages.timeBands; ++column) {
            if (number++ > 0)
                printer.newPage();
            painter.save();
            painter.scale(scale, scale);
            PaintHeader(painter, title, number, pages.Count(), size.width());
            painter.translate(0, HEADER_HEIGHT);
            painter.setClipRect(QRectF(0, 0, size.width(), size.height() - HEADER_HEIGHT));
            ScheduleSlice slice;
            slice.rowOrigin = slice.firstRow = firstRow;
            slice.lastRow = lastRow;
            slice.timeOrigin = slice.from = column * pages.secondsPerPage;
            slice.to = slice.from + pages.secondsPerPage;
            chartPainter.Paint(painter, slice);
            painter.restore();
        }
    }
    painter.end();
    return number;
}

void ShowSchedulePrintDialog(const ScheduleChart& chart, const QString& title)
{
    QPrinter printer(QPrinter::HighResolution);
    ApplySessionPageLayout(printer);
    printer.setDocName(title);
    if (ChoosePrinter(printer))
        PrintSchedule(chart, title, printer);
}

void ShowSchedulePrintPreview(const ScheduleChart& chart, const QString& title, QWidget* parent)
{
    QPrinter printer(QPrinter::HighResolution);
    ApplySessionPageLayout(printer);
    QPrintPreviewDialog preview(&printer, parent);
    QObject::connect(&preview, &QPrintPreviewDialog::paintRequested, parent,
                     [&chart, &title](QPrinter* target) { PrintSchedule(chart, title, *target); });
    preview.exec();
}
