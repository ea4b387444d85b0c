#include "preferences/emissions/EmissionPageActivation.h"

#include "foundation/controls/QVPropertyPage.h"
#include "foundation/controls/QVPropertySheet.h"

#include <QWidget>

void ActivateSheetPage(QWidget* page)
{
    CQVPropertySheet* sheet = nullptr;
    for (QWidget* parent = page->parentWidget(); parent && !sheet; parent = parent->parentWidget())
        sheet = qobject_cast<CQVPropertySheet*>(parent);
    if (!sheet)
        return;
    for (int index = 0; index < sheet->GetPageCount(); ++index) {
        if (static_cast<QWidget*>(sheet->GetPage(index)) == page && sheet->GetActiveIndex() != index)
            sheet->SetActivePage(index);
    }
}
