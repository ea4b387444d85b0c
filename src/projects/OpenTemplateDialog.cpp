#include "projects/OpenTemplateDialog.h"

#include "foundation/common/MessageBox.h"
#include "projects/ProjectDialogService.h"
#include "projects/TemplateFolders.h"
#include "projects/TemplatePage.h"

#include <QPushButton>

COpenTemplateDialog::COpenTemplateDialog(QWidget* parent) : CQVPropertySheet(QStringLiteral("New Project"), parent)
{
    AddPage(QStringLiteral("Standard"), [this] {
        return new CTemplatePage(this, StandardPage, QStringLiteral("Standard Project Template Dir"),
                                 GetStandardTemplateDir);
    });
    AddPage(QStringLiteral("User"), [this] {
        return new CTemplatePage(this, UserPage, QStringLiteral("User Project Template Dir"), GetUserTemplateDir);
    });
    EnableOK(false);
    SetActivePage(StandardPage);
}

void COpenTemplateDialog::EnableOK(bool enable)
{
    OkButton()->setEnabled(enable);
}

CTemplatePage* COpenTemplateDialog::TemplatePage(int page) const
{
    return static_cast<CTemplatePage*>(GetPage(page));
}

int COpenTemplateDialog::DoModal()
{
    return RunProjectDialog(*this);
}
