#include "automation/QuorvantaAut.h"

#include "automation/AutomationModelBuilder.h"
#include "automation/AutomationOutcome.h"
#include "automation/QVProcesses.h"
#include "automation/QVProductionPlans.h"
#include "foundation/common/AutomationFlag.h"
#include "foundation/common/ServiceSlot.h"
#include "foundation/common/WaitCursor.h"
#include "foundation/common/concerns/AppContext.h"
#include "foundation/common/concerns/ProjectControl.h"
#include "projects/ProjectFileKind.h"

#include <QFileInfo>

using V = CAutomationVariant;

namespace {
ProjectControl* projectControl()
{
    return ServiceSlot<ProjectControl>::Get();
}

[[noreturn]] void failCall(const QString& text)
{
    throw CAutomationException(AutomationError::Failed, text);
}
} // namespace

bool IsSameProjectFile(const QString& path, const QString& openPath)
{
    const QString canonical = QFileInfo(path).canonicalFilePath();
    return !canonical.isEmpty() && canonical == QFileInfo(openPath).canonicalFilePath();
}

const CAutomationMemberTable& CQuorvantaAut::Members() const
{
    static const CAutomationMemberTable table = [] {
        MemberTableBuilder<CQuorvantaAut> b(QStringLiteral("CQuorvantaAut"));
        b.property("Visible", VT_I4, [](CQuorvantaAut&) {
            return V::Long(GetAutomationFrameServices().GetApplicationVisible() ? 1 : 0);
        }, [](CQuorvantaAut& a, const V& v) { a.PutVisible(v.longValue() != 0); });
        b.method("OpenProject", VT_I4, {VT_BSTR}, {"path"},
                 [](CQuorvantaAut& a, const AutomationArgs& args) { return V::Long(a.OpenProject(args[0].text())); });
        b.method("SimulateBatch", VT_I4, {VT_I4}, {"stepID"}, [](CQuorvantaAut&, const AutomationArgs& args) {
            RequireDone(GetAutomationFrameServices().AutomationSimulateStep(args[0].longValue(), QString()));
            return V::Long(1);
        });
        b.method("Processes", VT_DISPATCH, [](CQuorvantaAut& a, const AutomationArgs&) { return AutObject(a.Processes()); });
        b.method("ProductionPlans", VT_DISPATCH,
                 [](CQuorvantaAut& a, const AutomationArgs&) { return AutObject(a.ProductionPlans()); });
        b.method("Options", VT_DISPATCH, [](CQuorvantaAut&, const AutomationArgs&) { return AutObject(nullptr); });
        b.method("SaveProject", VT_BOOL, [](CQuorvantaAut& a, const AutomationArgs&) { return V::Bool(a.SaveProject()); });
        b.method("Quit", VT_EMPTY, [](CQuorvantaAut&, const AutomationArgs&) {
            GetAutomationFrameServices().QueueQuit();
            return V();
        });
        b.method("CloseProject", VT_EMPTY, {VT_BOOL}, {"save"}, [](CQuorvantaAut& a, const AutomationArgs& args) {
            a.CloseProject(args[0].boolValue());
            return V();
        });
        return b.build();
    }();
    return table;
}

void CQuorvantaAut::PutVisible(bool visible)
{
    GetAutomationFrameServices().SetApplicationVisible(visible);
    GetAutomationFrameServices().SetUserControl(visible);
}

// 1 when the project is open afterwards; an open project of that file is not opened again. A path
// that names no project file is refused before the open project is closed: it stays as it was.
long CQuorvantaAut::OpenProject(const QString& path)
{
    ProjectControl* control = projectControl();
    if (!control)
        return 0;
    if (control->IsProjectOpen() && IsSameProjectFile(path, GetProjectFilePath())) {
        if (!g_bAutomationActive) {
            g_bAutomationActive = true;
            if (m_model)
                m_model->BuildAutomationModel();
        }
        return 1;
    }
    if (!CheckProjectFileToOpen(path))
        return 0;
    WaitCursor wait;
    g_bAutomationActive = true;
    const bool opened = control->OpenProjectByPath(path);
    return opened && control->IsProjectOpen() ? 1 : 0;
}

bool CQuorvantaAut::SaveProject()
{
    ProjectControl* control = projectControl();
    return control && control->IsProjectOpen() && control->SaveOpenProject();
}

// Saving first when asked; the close itself never asks.
void CQuorvantaAut::CloseProject(bool save)
{
    ProjectControl* control = projectControl();
    if (!control || !control->IsProjectOpen())
        return;
    if (save && !control->SaveOpenProject())
        failCall(QStringLiteral("The project was not saved; it stays open."));
    if (!control->CloseProject(SaveAnswer::Discard))
        failCall(QStringLiteral("The project could not be closed."));
}

void CQuorvantaAut::ReportProgress(long percent, long)
{
    GetAutomationFrameServices().ReportProgress(percent);
}

std::shared_ptr<CAutomationObject> CQuorvantaAut::Processes() const
{
    return m_model ? std::shared_ptr<CAutomationObject>(m_model->Processes()) : nullptr;
}

std::shared_ptr<CAutomationObject> CQuorvantaAut::ProductionPlans() const
{
    return m_model ? std::shared_ptr<CAutomationObject>(m_model->ProductionPlans()) : nullptr;
}
