#include "projects/StepExchangeCommands.h"

#include "foundation/common/FileDialogService.h"
#include "foundation/common/MessageBox.h"
#include "foundation/common/NameCheck.h"
#include "foundation/common/concerns/AppContext.h"
#include "foundation/common/concerns/SubsystemConcerns.h"
#include "projects/ExportStepDialog.h"
#include "projects/ImportStepDialog.h"
#include "projects/NetSelectDialog.h"

#include <QFileInfo>

void ExportStepCommand(long selectedStepID)
{
    if (selectedStepID == -1) {
        QvMessageBox(QStringLiteral("Please select the step you want to export first!"));
        return;
    }
    CExportStepDialog dialog(selectedStepID);
    FileDialogRequest request;
    request.kind = FileDialogRequest::Save;
    request.title = QStringLiteral("Choose Export Step Location");
    request.filter = QStringLiteral("Export Step Files (*.exs)|*.exs|All Files (*.*)|*.*||");
    request.defaultExtension = QStringLiteral("exs");
    dialog.m_path = ChooseFile(request);
    if (dialog.m_path.isEmpty())
        return;
    QString name = QFileInfo(dialog.m_path).fileName();
    if (!IsInvalidName(name))
        dialog.ExportStep();
}

bool ImportStepCommand(long selectedProcessID, bool insertAfter)
{
    if (selectedProcessID == -1)
        return false;
    CImportStepDialog dialog(selectedProcessID);
    FileDialogRequest request;
    request.kind = FileDialogRequest::Open;
    request.title = QStringLiteral("Choose An Import Step");
    request.filter = QStringLiteral("Import Step Files (*.exs)|*.exs|All Files (*.*)|*.*||");
    request.defaultExtension = QStringLiteral("exs");
    dialog.m_path = ChooseFile(request);
    if (dialog.m_path.isEmpty())
        return false;
    int placement = 2;
    long anchor = -1;
    if (!GetSelectedProcessOrStep(&placement, &anchor, insertAfter))
        std::tie(placement, anchor) = std::pair(2, -1L);
    dialog.ImportStep(placement, anchor);
    return true;
}

bool NetworkSelectCommand(bool insertBefore, bool insertAfter)
{
    if (GetAppContext() && GetAppContext()->fileSet().isTemplate) {
        QvMessageBox(QStringLiteral(
            "The current Project is Project Template. NetworkSelect Process/Step doesn't apply."));
        return false;
    }
    CNetSelectDialog dialog(insertBefore, insertAfter);
    return dialog.DoModal() == IDOK;
}
