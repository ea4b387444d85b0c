#include "projects/ProjectDialogService.h"

#include "foundation/common/MessageBox.h"
#include "foundation/common/ServiceSlot.h"

#include <QDialog>

ProjectDialogService* SetProjectDialogService(ProjectDialogService* service)
{
    return ServiceSlot<ProjectDialogService>::Set(service);
}

ProjectDialogService* GetProjectDialogService()
{
    return ServiceSlot<ProjectDialogService>::Get();
}

int RunProjectDialog(QDialog& dialog)
{
    if (ProjectDialogService* service = GetProjectDialogService())
        return service->Run(dialog) == IDOK ? IDOK : IDCANCEL;
    if (dynamic_cast<AutomationPromptService*>(GetPromptService()))
        return IDCANCEL; // nobody would see it
    return dialog.exec() == QDialog::Accepted ? IDOK : IDCANCEL;
}
