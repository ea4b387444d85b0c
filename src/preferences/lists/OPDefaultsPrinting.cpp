#include "preferences/lists/OPDefaultsPrinting.h"

#include "preferences/lists/OPDefaultsPrintLayout.h"

#include <QFontMetrics>
#include <QPainter>
#include <QPrinter>

namespace {

QFont OPDefaultsPrintFont(const QPaintDevice& device)
{
    QFont font(QStringLiteral("MS Sans Serif"));
    font.setStyleHint(QFont::SansSerif);
    font.setPixelSize(8 * device.logicalDpiY() / 72);
    font.setWeight(QFont::Normal);
    return font;
}

void DrawPageHeader(QPainter& painter, const COPDefaultsPrintLayout& layout, const QString& title, int page)
{
    painter.drawText(COPDefaultsPrintLayout::TITLE_X, layout.TitleBaseline(), title);
    painter.drawText(layout.PageNumberX(), layout.TitleBaseline(), QString::asprintf("Page %d", page));
    const char* headings[] = {"Operation", "Variable", "Default Value", "Unit of Measure"};
    const std::array<int, 4> x = layout.ColumnX();
    for (int col = 0; col < 4; ++col)
        painter.drawText(x[col], layout.HeadingBaseline(), QString::fromLatin1(headings[col]));
    painter.drawText(COPDefaultsPrintLayout::TITLE_X, layout.RuleBaseline(),
                     QString(COPDefaultsPrintLayout::RULE_LENGTH, QLatin1Char('-')));
}

void DrawPrintedRow(QPainter& painter, const COPDefaultsPrintLayout& layout, const std::array<QString, 4>& texts,
                    int baseline)
{
    const std::array<int, 4> x = layout.ColumnX();
    for (int col = 0; col < 4; ++col)
        painter.drawText(x[col], baseline, texts[col]);
}

} // namespace

PrintPageMetrics MeasureOPDefaultsPage(const QPaintDevice& device)
{
    const QFontMetrics metrics(OPDefaultsPrintFont(device), &device);
    return {metrics.height() + metrics.leading(), device.width(), device.height()};
}

void PaintOperationDefaults(QPainter& painter, const PrintPageMetrics& metrics, const QString& title,
                            const OPDefaultsPrintRows& rows, const std::function<bool()>& nextPage)
{
    painter.setFont(OPDefaultsPrintFont(*painter.device()));
    const COPDefaultsPrintLayout layout(metrics);
    for (const PrintedPage& page : layout.Paginate(int(rows.size()))) {
        if (page.number > 1 && !nextPage())
            return;
        DrawPageHeader(painter, layout, title, page.number);
        for (const PrintedRow& row : page.rows)
            DrawPrintedRow(painter, layout, rows[size_t(row.row - 1)], row.baseline);
    }
}

bool PrintOperationDefaults(QPrinter& printer, const QString& title, const OPDefaultsPrintRows& rows)
{
    printer.setDocName(title);
    QPainter painter;
    if (!painter.begin(&printer))
        return false;
    PaintOperationDefaults(painter, MeasureOPDefaultsPage(printer), title, rows, [&printer] { return printer.newPage(); });
    return painter.end();
}
