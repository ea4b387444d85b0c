#include "recipe/view/RecipePrinting.h"

#include "foundation/common/PrintDialogService.h"
#include "recipe/view/QuorvantaView.h"
#include "recipe/view/RecipeButton.h"
#include "recipe/view/RecipePaginator.h"

#include <QPainter>
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
    ApplySessionPageLayout(printer);
    printer.setDocName(view.documentTitle());
    if (ChoosePrinter(printer))
        PrintRecipe(view, printer);
}

void ShowPrintPreview(CQUORVANTAView& view)
{
    QPrinter printer(QPrinter::HighResolution);
    ApplySessionPageLayout(printer);
    QPrintPreviewDialog preview(&printer, &view);
    QObject::connect(&preview, &QPrintPreviewDialog::paintRequested, &view,
                     [&view](QPrinter* target) { PrintRecipe(view, *target); });
    preview.exec();
}
