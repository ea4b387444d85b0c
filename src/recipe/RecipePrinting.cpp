#include "recipe/RecipePrinting.h"

#include "recipe/QuorvantaView.h"
#include "recipe/RecipeButton.h"
#include "recipe/RecipePaginator.h"

#include <QPainter>
#include <QPrintDialog>
#include <QPrintPreviewDialog>
#include <QPrinter>

namespace {
QList<PrintedLine> PrintedLinesOf(const CQUORVANTAView& view)
{
    QList<PrintedLine> lines;
    for (int index = 0; index < view.LineCount(); ++index) {
        const RecipeLineRecord& record = view.Line(index)->line();
        lines.append({record.label, view.Line(index)->text(), record.indent, record.kind});
    }
    return lines;
}
} // namespace

int PrintRecipe(CQUORVANTAView& view, QPrinter& printer)
{
    CRecipePaginator pages(PrintedLinesOf(view), view.documentTitle());
    const int count = pages.Paginate(&printer);
    QPainter painter;
    if (!painter.begin(&printer))
        return 0;
    for (int page = 1; page <= count; ++page) {
        if (page > 1)
            printer.newPage();
        pages.PrintPage(painter, page);
    }
    painter.end();
    return count;
}

void ShowPrintDialog(CQUORVANTAView& view)
{
    QPrinter printer(QPrinter::HighResolution);
    QPrintDialog dialog(&printer, &view);
    if (dialog.exec() == QDialog::Accepted)
        PrintRecipe(view, printer);
}

void ShowPrintPreview(CQUORVANTAView& view)
{
    QPrinter printer(QPrinter::HighResolution);
    QPrintPreviewDialog preview(&printer, &view);
    QObject::connect(&preview, &QPrintPreviewDialog::paintRequested, &view,
                     [&view](QPrinter* target) { PrintRecipe(view, *target); });
    preview.exec();
}
