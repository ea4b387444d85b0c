#include "results/QVCustomReportHelper.h"

#include "foundation/common/FileDialogService.h"
#include "foundation/common/MessageBox.h"
#include "foundation/common/ServiceSlot.h"
#include "foundation/common/WaitCursor.h"
#include "foundation/common/concerns/AppContext.h"
#include "foundation/db/schema/ResultsDatabase.h"
#include "modules/customreport/ICustomReportComponent.h"

#include <QDir>

namespace {
void ShowCustomReportError(const QString& description)
{
    QvMessageBox(QStringLiteral("Error in Custom Report component. %1").arg(description), MB_OK | MB_ICONERROR);
}

QString ResultsFileNameOfKind(long id, const QString& kind)
{
    if (kind.compare(QLatin1String("Step"), Qt::CaseInsensitive) == 0)
        return StepResultsFileName(id);
    if (kind.compare(QLatin1String("Process"), Qt::CaseInsensitive) == 0)
        return ProcessResultsFileName(id);
    if (kind.compare(QLatin1String("Plan"), Qt::CaseInsensitive) == 0)
        return PlanResultsFileName(id);
    return {};
}
} // namespace

CustomReportScope ChooseCustomReportScope(const CustomReportContext& context)
{
    if (context.processExplorerActive) {
        if (context.selectedProcessID >= 0)
            return {QStringLiteral("Process"), context.selectedProcessID};
        return {QStringLiteral("Step"), context.selectedStepID};
    }
    if (context.currentPlanID >= 0)
        return {QStringLiteral("Plan"), context.currentPlanID};
    return {QStringLiteral("Step"), context.currentStepID};
}

QString CQVCustomReportHelper::ResultsDatabasePath(long id, const QString& kind)
{
    const QString fileName = ResultsFileNameOfKind(id, kind);
    return fileName.isEmpty() ? QString() : ResultsFilePath(GetProjectDir(), fileName);
}

QString CQVCustomReportHelper::WorkingCopyPath()
{
    return QDir(GetWorkingCopyDir()).filePath(GetProjectName() + QStringLiteral(".wc"));
}

void CQVCustomReportHelper::RunCustomReport(long id, const QString& kind, const QString& reportFile)
{
    WaitCursor wait;
    CustomReportComponentFactory* factory = ServiceSlot<CustomReportComponentFactory>::Get();
    std::unique_ptr<ICustomReportComponent> component = factory ? factory->CreateComponent() : nullptr;
    if (!component) {
        ShowCustomReportError(QStringLiteral("not installed"));
        return;
    }
    try {
        component->SetSpreadsheetApplication(QStringLiteral("Excel"));
        component->SetDatabaseApplication(QStringLiteral("Access"));
        component->RunReport(WorkingCopyPath(), ResultsDatabasePath(id, kind), reportFile);
    } catch (const CustomReportError& error) {
        if (!error.cancelled)
            ShowCustomReportError(error.description);
    }
}

QString RunCustomReportCommand(CQVCustomReportHelper& helper, const CustomReportScope& scope)
{
    FileDialogRequest request;
    request.kind = FileDialogRequest::Open;
    request.title = QStringLiteral("Custom Report");
    request.initialPath = GetProjectDir();
    request.filter = QStringLiteral("Custom Report Definitions (*.qvr)|*.qvr|All Files (*.*)|*.*||");
    const QString reportFile = ChooseFile(request);
    if (reportFile.isEmpty())
        return {};
    helper.RunCustomReport(scope.id, scope.kind, reportFile);
    return reportFile;
}
