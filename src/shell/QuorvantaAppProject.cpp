// The application's project members: forwarders to the projects subsystem and the wiring of the
// frame's project commands and hooks.

#include "foundation/common/CommandIds.h"
#include "foundation/common/concerns/AppContext.h"
#include "foundation/common/concerns/FrameNotifyMessage.h"
#include "foundation/common/concerns/SubsystemConcerns.h"
#include "modules/engine/EngineEntry.h"
#include "projects/ProjectManager.h"
#include "projects/StepExchangeCommands.h"
#include "projects/WizardEndDialog.h"
#include "shell/MainFrame.h"
#include "shell/QuorvantaApp.h"

#include <QAction>

void CQuorvantaApp::WireProjectCommands()
{
    m_frame->SetCommandHandler(ID_FILE_SAVE, [this] {
        m_projects->SaveCommand();
        m_frame->ArmAutoSaveTimer(); // the save stopped it
    });
    m_frame->SetCommandHandler(ID_FILE_SAVE_AS_COMPOUND, [this] {
        m_projects->CompoundFile().SaveAsCompoundFile();
        m_frame->ArmAutoSaveTimer(); // its save stopped it
    });
    m_frame->SetCommandHandler(ID_FILE_MANAGE_COMPOUND, [this] {
        m_projects->CompoundFile().SaveAs();
        m_frame->ArmAutoSaveTimer();
    });
    m_frame->SetCommandHandler(ID_FILE_SAVE_AS, [this] { SaveProjectAs(); });
    m_frame->SetCommandHandler(ID_FILE_EXPORT_PROFILE, [this] { ExportProfile(); });
    m_frame->SetCommandHandler(ID_FILE_IMPORT_PROFILE, [this] { ImportProfile(); });
    m_frame->SetCommandHandler(ID_FILE_DEFAULT_PROFILE, [this] { LoadDefaultProfile(); });
    m_frame->SetCommandHandler(ID_FILE_NEW, [this] {
        m_projects->NewProject();
        m_frame->UpdateCommandStates();
    });
    m_frame->SetCommandHandler(ID_FILE_SAVE_AS_TEMPLATE, [this] { SaveProjectAsTemplate(); });
    m_frame->SetCommandHandler(ID_FILE_NEW_SELECTION, [this] {
        m_projects->ChooseStartupProject();
        m_frame->UpdateCommandStates();
    });
    m_frame->SetCommandHandler(ID_VIEW_PROJECT_INFORMATION, [this] { m_frame->ShowProjectInfoDialog(); });
    m_frame->action(ID_VIEW_PROJECT_INFORMATION)->setIcon(ProjectInformationIcon());
    m_frame->SetCommandHandler(ID_FILE_CLOSE, [this] { m_frame->CloseProject(); });
    m_frame->SetCommandHandler(ID_FILE_OPEN, [this] {
        m_projects->ChooseAndOpenProject();
        m_frame->UpdateCommandStates();
    });
    m_frame->SetCommandHandler(ID_SIMULATE_RUN, [this] {
        SetEngine(::GetEngineEntry());
        m_frame->RunByContext();
    });
    m_frame->SetCommandHandler(ID_FILE_EXPORT_STEP, [this] { ExportStepCommand(m_frame->CurrentContext().stepID); });
    m_frame->SetCommandHandler(ID_FILE_IMPORT_STEP, [this] {
        if (!ImportStepCommand(m_frame->CurrentContext().processID, m_frame->m_bInsertAfter))
            return;
        m_frame->DotNetNotifyPreferencesUpdate();
        ResetStepSimulation(-1, QString());
        ::SetProjectModified(true);
        m_frame->RefreshAmbientPressure();
    });
    m_frame->SetCommandHandler(ID_FILE_NETWORK_SELECT, [this] {
        if (!NetworkSelectCommand(m_frame->m_bInsertBefore, m_frame->m_bInsertAfter))
            return;
        m_frame->DotNetInvokeSetEquipmentManagerToReload();
        ::SetProjectModified(true);
    });
    m_frame->SetNotifyHandler(FrameNotifyMessage::RefreshPanes, [this](qintptr, qintptr) {
        m_projects->OpenNewStepDatabases();
        m_frame->RefreshAllPanes();
    });
}

bool CQuorvantaApp::OpenGivenProjectFile(const QString& path)
{
    const bool opened = m_projects->OpenProjectByPath(path);
    if (m_frame)
        m_frame->UpdateCommandStates();
    return opened;
}

void CQuorvantaApp::setProjectID(long projectID)
{
    m_projects->SetProjectID(projectID);
}

bool CQuorvantaApp::IsProjectOpen() const
{
    return m_projects && m_projects->IsProjectOpen();
}

bool CQuorvantaApp::CloseProject(SaveAnswer answer)
{
    return m_projects->CloseProject(answer);
}

bool CQuorvantaApp::SaveProject(const QString& newName, bool fromPackage)
{
    return m_projects->SaveProject(newName, fromPackage);
}
bool CQuorvantaApp::GetMaterialOrEquipmentFileFromQvzFile(int kind, const QString& folder, const QString& name,
                                                         QString& result)
{
    return CCompoundFile::GetMaterialOrEquipmentFileFromQvzFile(kind, folder, name, result);
}

bool CQuorvantaApp::SaveProjectAs()
{
    const bool saved = m_projects->SaveProjectAs();
    m_frame->UpdateCommandStates();
    return saved;
}

bool CQuorvantaApp::SaveProjectAsTemplate()
{
    const bool saved = m_projects->SaveProjectAsTemplate();
    m_frame->UpdateCommandStates();
    return saved;
}

void CQuorvantaApp::ExportProfile()
{
    m_projects->ExportProfile();
}
void CQuorvantaApp::ImportProfile()
{
    m_projects->ImportProfile();
}
void CQuorvantaApp::LoadDefaultProfile()
{
    m_projects->LoadDefaultProfile();
}
void CQuorvantaApp::OperationModified(long stepID, long operationID, bool flag)
{
    if (EngineEntry* engine = ::GetEngineEntry())
        engine->operationModified(stepID, operationID, flag ? 1 : 0);
}

void CQuorvantaApp::SetEngine(EngineEntry* engine)
{
    m_projects->SetEngine(engine);
}

QList<QWidget*> CQuorvantaApp::GetChartDocuments() const
{
    QList<QWidget*> charts;
    if (!m_frame)
        return charts;
    for (DocumentKind kind : {DocumentKind::Gantt, DocumentKind::Facility3D}) {
        for (const HostedDocument& document : m_frame->ListDocuments(kind))
            charts << document.window;
    }
    return charts;
}
