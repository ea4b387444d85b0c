// Opening a project: the sequence and the database-error handler around it.

#include "foundation/common/MessageBox.h"
#include "foundation/common/WaitCursor.h"
#include "foundation/common/concerns/AppContext.h"
#include "foundation/common/concerns/FrameServices.h"
#include "foundation/db/connection/DaoDatabase.h"
#include "foundation/db/connection/DaoException.h"
#include "foundation/db/files/DatabaseFiles.h"
#include "foundation/db/connection/SharedDatabases.h"
#include "projects/CompoundFile.h"
#include "projects/ProjectFileKind.h"
#include "projects/ProjectFileNames.h"
#include "projects/ProjectManager.h"
#include "projects/ProjectVersion.h"

#include <QFileInfo>
#include <QScopeGuard>

bool CProjectManager::OpenProjectFile(int mode, const QString& projectName, const QString& description,
                                      bool frameArgument)
{
    if (!GetAppContext())
        return false;
    m_opening = OpenAttempt();
    m_opening.languageDatabase = m_language.Database();
    bool opened = false;
    try {
        opened = RunOpen(mode, projectName, description, frameArgument);
    } catch (const CDaoException& e) {
        QvMessageBox(e.GetErrorDescription());
        if (m_opening.handedOver)
            CloseProject(SaveAnswer::Ask);
    }
    m_compound.DropStage(); // a package staged and then not opened leaves nothing
    m_compound.SetStartupPackage(false); // the command line's package was this open's alone
    if (m_opening.handedOver)
        return IsProjectOpen(); // a later step may have failed, or closed the project
    if (!opened)
        UndoOpen();
    return opened;
}

bool CProjectManager::ChooseAndOpenProject()
{
    m_files.pathGiven = false;
    return OpenProjectFile(2, QString(), QString(), false);
}

bool CProjectManager::OpenProjectByPath(const QString& path)
{
    if (!GetAppContext())
        return false;
    // The path stays apart until the open project has closed: a refused close changes nothing.
    ProjectFileSet& files = m_files;
    m_requestedPath = path;
    files.pathGiven = true;
    const bool opened = OpenProjectFile(2, QString(), QString(), false);
    files.pathGiven = false;
    m_requestedPath.clear();
    return opened;
}

// Once the frame has the project, its close ends it; before, an abort undoes what the open made.
bool CProjectManager::RunOpen(int mode, const QString& projectName, const QString& description,
                              bool frameArgument)
{
    ProjectFileSet& files = m_files;
    if (!m_compound.IsStartupPackage())
        m_compound.Reset();
    if (!LocateProjectFile(mode))
        return false;
    m_opening.located = true;
    const WaitCursor wait;
    if (!CheckWriteAccess())
        return false;
    files.workingCopyDir = WithSlash(QFileInfo(files.projectDBPath).absolutePath());
    if (mode != 1 && !CopyLibraries(mode))
        return false;
    QString reason;
    if (!CheckProjectVersion(files.projectFilePath, reason)) {
        QvMessageBox(reason);
        return false;
    }
    DeletePreviousFiles();
    if (mode != 1 && !CopyProjectDatabase())
        return false;
    bool converted = false;
    if (!ConvertProject(converted) || !OpenProjectDatabase(mode, projectName, description))
        return false;
    m_opening.workingCopies << m_save.SequenceFiles().CopyIn(GetProjectDir(), GetWorkingCopyDir());
    int languageResult = 1;
    if (!SetUpLanguage(mode, languageResult))
        return false;
    return FinishOpen(mode, frameArgument, languageResult, converted);
}

// Closes what the open opened and deletes the working copies it made, asking nothing; the files
// of the project folder and another instance's working copies stay.
void CProjectManager::UndoOpen()
{
    if (!m_opening.located)
        return; // nothing made, and a project the user kept open stays as it is
    if (m_opening.stepsWalked)
        CloseStepDatabases();
    ProjectFileSet& files = m_files;
    if (files.projectDatabase && files.projectDatabase.get() == m_opening.projectDatabase)
        CloseProjectDatabase();
    if (m_language.Database() && m_language.Database() != m_opening.languageDatabase)
        m_language.CloseLanguageDatabase();
    CloseSharedMaterialsDB();
    CloseSharedEquipmentDB();
    for (const QString& path : std::as_const(m_opening.workingCopies))
        DeleteDatabaseFile(path);
    m_compound.SetStartupPackage(false);
    m_opening = OpenAttempt();
}

QString CProjectManager::OpenedName() const
{
    return QFileInfo(GetProjectFilePath()).completeBaseName();
}

bool CProjectManager::PrepareCommandLineFile(QString& path)
{
    ProjectFileSet& files = m_files;
    if (!QFileInfo::exists(path))
        return true; // the open reports it
    // A damaged package is refused with its reason before anything is unpacked.
    if (CCompoundFile::IsCompoundFile(path) && !CheckProjectFileToOpen(path))
        return false;
    files.projectFilePath = path;
    bool unpacked = false;
    if (!UnpackIfCompound(unpacked))
        return false;
    // Only the open that follows takes the package as unpacked; a later open unpacks its own.
    auto notOpened = qScopeGuard([this] { m_compound.SetStartupPackage(false); });
    m_compound.SetStartupPackage(unpacked);
    files.projectDir = WithSlash(QFileInfo(files.projectFilePath).absolutePath());
    if (!CheckWriteAccess())
        return false;
    QString reason;
    if (!CheckProjectVersion(files.projectFilePath, reason)) {
        QvMessageBox(reason);
        return false;
    }
    path = files.projectFilePath;
    notOpened.dismiss();
    return true;
}
