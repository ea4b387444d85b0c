// Opening a project: the sequence and the database-error handler around it.

#include "foundation/common/AppContext.h"
#include "foundation/common/FrameServices.h"
#include "foundation/common/MessageBox.h"
#include "foundation/common/WaitCursor.h"
#include "foundation/db/DaoException.h"
#include "projects/CompoundFile.h"
#include "projects/ProjectFileNames.h"
#include "projects/ProjectManager.h"
#include "projects/ProjectVersion.h"

#include <QFileInfo>

bool CProjectManager::OpenProjectFile(int mode, const QString& projectName, const QString& description,
                                      bool frameArgument)
{
    if (!GetAppContext())
        return false;
    try {
        return RunOpen(mode, projectName, description, frameArgument);
    } catch (const CDaoException& e) {
        QvMessageBox(e.GetErrorDescription());
        CloseProject(SaveAnswer::Ask);
        return false;
    }
}

bool CProjectManager::OpenProjectByPath(const QString& path)
{
    if (!GetAppContext())
        return false;
    ProjectFileSet& files = GetAppContext()->fileSet();
    files.projectFilePath = path;
    files.pathGiven = true;
    const bool opened = OpenProjectFile(2, QString(), QString(), false);
    files.pathGiven = false;
    return opened;
}

// An abort leaves what earlier steps did; the next close removes it.
bool CProjectManager::RunOpen(int mode, const QString& projectName, const QString& description,
                              bool frameArgument)
{
    ProjectFileSet& files = GetAppContext()->fileSet();
    if (!CCompoundFile::IsStartupPackage())
        GetCompoundFile().Reset();
    if (!LocateProjectFile(mode))
        return false;
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
    bool mustSave = false;
    if (!ConvertProject(mustSave) || !OpenProjectDatabase(mode, projectName, description))
        return false;
    int languageResult = 1;
    if (!SetUpLanguage(mode, languageResult))
        return false;
    return FinishOpen(mode, frameArgument, languageResult, mustSave);
}

QString CProjectManager::OpenedName() const
{
    return QFileInfo(GetProjectFilePath()).completeBaseName();
}

bool CProjectManager::PrepareCommandLineFile(QString& path)
{
    ProjectFileSet& files = GetAppContext()->fileSet();
    if (!QFileInfo::exists(path))
        return true; // the open reports it
    files.projectFilePath = path;
    if (CCompoundFile::IsCompoundFile(path)) {
        if (!GetCompoundFile().Expand(path))
            return false;
        CCompoundFile::SetStartupPackage(true);
    }
    files.projectDir = WithSlash(QFileInfo(files.projectFilePath).absolutePath());
    if (!CheckWriteAccess())
        return false;
    QString reason;
    if (!CheckProjectVersion(files.projectFilePath, reason)) {
        QvMessageBox(reason);
        return false;
    }
    path = files.projectFilePath;
    return true;
}
