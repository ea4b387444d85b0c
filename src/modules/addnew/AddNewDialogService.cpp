#include "modules/addnew/AddNewDialogService.h"

#include "foundation/common/ServiceSlot.h"
#include "modules/addnew/AddNewProcessDialog.h"
#include "modules/addnew/AddNewStepDialog.h"

#include <QApplication>

AddNewDialogService& GetAddNewDialogService()
{
    static CQtAddNewDialogs dialogs;
    AddNewDialogService* installed = ServiceSlot<AddNewDialogService>::Get();
    return installed ? *installed : dialogs;
}

bool CQtAddNewDialogs::AskProcess(ProcessForm& form)
{
    CAddNewProcessDialog dialog(form, QApplication::activeWindow());
    if (dialog.exec() != QDialog::Accepted)
        return false;
    dialog.read(form);
    return true;
}

bool CQtAddNewDialogs::AskStep(StepForm& form)
{
    CAddNewStepDialog dialog(form, QApplication::activeWindow());
    if (dialog.exec() != QDialog::Accepted)
        return false;
    dialog.read(form);
    return true;
}
