#include "foundation/common/PrintDialogService.h"

#include "foundation/common/ServiceSlot.h"

#include <QApplication>
#include <QPageSetupDialog>
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

bool PrintDialogService::setUpPage(QPrinter& printer)
{
    QPageSetupDialog dialog(&printer, QApplication::activeWindow());
    return dialog.exec() == QDialog::Accepted;
}

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

SessionPageSetup& SessionPageSetup::Instance()
{
    static SessionPageSetup session;
    return session;
}

void SessionPageSetup::applyTo(QPrinter& printer) const
{
    if (m_layout.isValid())
        printer.setPageLayout(m_layout);
}

bool SessionPageSetup::choose()
{
    QPrinter printer(QPrinter::HighResolution);
    applyTo(printer);
    if (!GetPrintDialogService()->setUpPage(printer))
        return false;
    m_layout = printer.pageLayout();
    return true;
}
