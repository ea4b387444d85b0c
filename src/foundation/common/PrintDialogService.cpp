#include "foundation/common/PrintDialogService.h"

#include "foundation/common/ServiceSlot.h"

#include <QApplication>
#include <QPrintDialog>
#include <QPrinter>

namespace {

class WidgetPrintDialogService : public PrintDialogService {
public:
    bool choose(QPrinter& printer) override
    {
        QPrintDialog dialog(&printer, QApplication::activeWindow());
        dialog.setOption(QAbstractPrintDialog::PrintSelection, false);
        dialog.setOption(QAbstractPrintDialog::PrintToFile, true);
        return dialog.exec() == QDialog::Accepted;
    }
};

} // namespace

PrintDialogService* SetPrintDialogService(PrintDialogService* service)
{
    return ServiceSlot<PrintDialogService>::Set(service);
}

PrintDialogService* GetPrintDialogService()
{
    static WidgetPrintDialogService widgetService;
    PrintDialogService* installed = ServiceSlot<PrintDialogService>::Get();
    return installed ? installed : &widgetService;
}

bool ChoosePrinter(QPrinter& printer)
{
    return GetPrintDialogService()->choose(printer);
}
