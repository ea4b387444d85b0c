// The application's project members: forwarders to the projects subsystem and the wiring of the
// frame's project commands and hooks.

#include "foundation/common/CommandIds.h"
#include "foundation/common/FrameNotifyMessage.h"
#include "projects/ProjectManager.h"
#include "shell/MainFrame.h"
#include "shell/QuorvantaApp.h"

void CQuorvantaApp::WireProjectCommands()
{
    m_frame->SetCommandHandler(ID_FILE_SAVE, [this] {
        SaveProject(QString(), false);
        m_frame->ArmAutoSaveTimer(); // the save stopped it
    });
    m_frame->SetCommandHandler(ID_FILE_CLOSE, [this] { m_frame->CloseProject(); });
    m_frame->SetCommandHandler(ID_FILE_OPEN, [this] {
        m_projects->ChooseAndOpenProject();
        m_frame->UpdateCommandStates();
    });
    m_frame->SetNotifyHandler(FrameNotifyMessage::RefreshPanes, [this](qintptr, qintptr) {
        m_projects->OpenNewStepDatabases();
        m_frame->RefreshAllPanes();
    });
}

bool CQuorvantaApp::OpenProjectFile(int mode, const QString& projectName, const QString& description,
                                    bool frameArgument)
{
    const bool opened = m_projects->OpenProjectFile(mode, projectName, description, frameArgument);
    if (m_frame) // a failed open changes what may be done too
        m_frame->UpdateCommandStates();
    return opened;
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

bool CQuorvantaApp::CloseCurrentProject()
{
    return m_projects->CloseCurrentProject();
}
bool CQuorvantaApp::CloseForReopen()
{
    return m_projects->CloseForReopen();
}
bool CQuorvantaApp::SaveProject(const QString& newName, bool fromPackage)
{
    return m_projects->SaveProject(newName, fromPackage);
}
void CQuorvantaApp::ReplaceProjectFiles(const QString& projectFolder, const QString& temporaryFolder,
                                        const QString& name)
{
    m_projects->ReplaceProjectFiles(projectFolder, temporaryFolder, name);
}
int CQuorvantaApp::CheckProjectInUse(QString& projectFolder, QString& projectName)
{
    return m_projects->CheckProjectInUse(projectFolder, projectName);
}
bool CQuorvantaApp::WriteInUseMarker(const QString& projectFolder)
{
    return m_projects->WriteInUseMarker(projectFolder);
}
bool CQuorvantaApp::OpenStepDatabases(QString& error, const QString& connect)
{
    return m_projects->OpenStepDatabases(error, connect);
}
void CQuorvantaApp::CloseStepDatabases()
{
    m_projects->CloseStepDatabases();
}
bool CQuorvantaApp::CheckProjectFile(const QString& path)
{
    return m_projects->CheckProjectFile(path);
}
qint64 CQuorvantaApp::GetDatabaseFileSize(const QString& path, const QString& label)
{
    return m_projects->GetDatabaseFileSize(path, label);
}
bool CQuorvantaApp::CheckDiskSpace(qint64 bytesNeeded)
{
    return m_projects->CheckDiskSpace(bytesNeeded);
}
bool CQuorvantaApp::SetProjectName(const QString& name)
{
    return m_projects->SetProjectName(name);
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
bool CQuorvantaApp::AreBlankProjectsEnabled() const
{
    return m_projects->AreBlankProjectsEnabled();
}
void CQuorvantaApp::SetWorkingDirectory(const QString& folder)
{
    m_projects->SetWorkingDirectory(folder);
}
void CQuorvantaApp::RefreshFileLocations()
{
    m_projects->RefreshFileLocations();
}
void CQuorvantaApp::SetEngine(EngineEntry* engine)
{
    m_projects->SetEngine(engine);
}
