// New Project and New Project from a template: the dialogs, the copies of the template's files
// and the open of the new project.

#include "foundation/common/MessageBox.h"
#include "foundation/common/RegularFile.h"
#include "foundation/common/concerns/AppContext.h"
#include "foundation/common/concerns/FrameServices.h"
#include "foundation/db/connection/DaoException.h"
#include "foundation/db/files/DatabaseFiles.h"
#include "projects/NewProject.h"
#include "projects/OpenTemplateDialog.h"
#include "projects/ProjectFileNames.h"
#include "projects/ProjectFolderChecks.h"
#include "projects/ProjectManager.h"
#include "projects/ProjectTree.h"
#include "projects/TemplateFolders.h"
#include "projects/TemplatePage.h"

#include <QFile>
#include <QFileInfo>
#include <QStorageInfo>

#include <sys/stat.h>
#include <unistd.h>

namespace {
constexpr qint64 NEW_PROJECT_RESERVE = 2097152;
const QString UNTITLED_NAME = QStringLiteral("new");

// The template's ".qvt", ".eqt" and ".mtt"; empty for an unknown source.
QStringList TemplateFilesOf(int source, const QString& templateName, const QString& templateFolder)
{
    QString base;
    if (source == 0) {
        base = GetStandardTemplateDir() + QStringLiteral("Blank");
    } else if (source == 1 || source == 2) {
        const QString folder = !templateFolder.isEmpty() ? WithSlash(templateFolder)
                               : source == 1             ? GetStandardTemplateDir()
                                                         : GetUserTemplateDir();
        base = folder + templateName;
    } else {
        return {};
    }
    return {base + ".qvt", base + ".eqt", base + ".mtt"};
}

// A copy made by the new project gets the user's write bit (a read-only template gives a writable
// project).
bool CopyWritable(const QString& from, const QString& to, bool workingCopy)
{
    DeleteDatabaseFile(to);
    const bool copied = workingCopy ? CopyWorkingCopyFile(from, to, WorkingCopyWrite::Replace)
                                    : CopyDatabaseFile(from, to);
    return copied && QFile::setPermissions(to, QFile::permissions(to) | QFile::WriteOwner | QFile::ReadOwner);
}
} // namespace

bool CProjectManager::CloseBeforeNewProject()
{
    if (!CloseProject(SaveAnswer::Ask))
        return false;
    if (ProjectLifecycleServices* frame = GetProjectLifecycleServices())
        frame->CloseAllViews();
    return true;
}

bool CProjectManager::NewProject()
{
    if (!CloseBeforeNewProject())
        return false;
    CNewProject dialog;
    dialog.m_strOwnMarker = m_marker.HeldPath();
    if (dialog.DoModal() != IDOK)
        return false;
    const QString folder = WithSlash(dialog.m_strDirectory);
    m_files.projectFilePath = folder + dialog.m_strName + QStringLiteral(".prj");
    m_compound.Reset();
    if (!CreateProjectFromTemplate(folder, dialog.m_strName, 0, QString(), QString()))
        return false;
    if (!dialog.m_strReplacedFolder.isEmpty()) {
        const QString base = folder + dialog.m_strName;
        DeleteReplacedProjectFiles(dialog.m_strReplacedFolder, {base + ".prj", base + ".eqm", base + ".mtl"});
    }
    QFile::remove(folder + COMPOUND_LOCATION_NAME); // a package unpacked there is not this project's
    return OpenProjectFile(1, dialog.m_strName, dialog.m_strDescription, false);
}

bool CProjectManager::NewProjectFromTemplate()
{
    if (!CloseBeforeNewProject())
        return false;
    COpenTemplateDialog sheet;
    if (sheet.DoModal() != IDOK || !sheet.ChosenPage())
        return false;
    const CTemplatePage& page = *sheet.ChosenPage();
    const int source = sheet.m_nChosenPage == COpenTemplateDialog::StandardPage ? 1 : 2;
    const QString folder = GetQuorvantaTempDir();
    m_files.projectFilePath = folder + UNTITLED_NAME + QStringLiteral(".prj");
    m_compound.Reset();
    if (!CreateProjectFromTemplate(folder, UNTITLED_NAME, source, page.m_strSelectedName, page.m_strFolder))
        return false;
    const bool opened = OpenProjectFile(1, UNTITLED_NAME, page.m_strDescription, false);
    m_files.newProject = true;
    m_bUntitled = opened; // its first save is a Save As
    return opened;
}

bool CProjectManager::CreateProjectFromTemplate(const QString& folder, const QString& name, int source,
                                                const QString& templateName, const QString& templateFolder)
{
    const QStringList templateFiles = TemplateFilesOf(source, templateName, templateFolder);
    qint64 bytes = 0;
    if (templateFiles.isEmpty() || !CheckTemplateFiles(templateFiles, bytes) ||
        !CheckSpaceForNewProject(folder, bytes) || !CopyTemplateFiles(templateFiles, WithSlash(folder), name))
        return false;
    ProjectFileSet& files = m_files;
    files.projectDir = WithSlash(folder);
    files.isTemplate = false; // the project made from a template is none
    return true;
}

bool CProjectManager::CheckTemplateFiles(const QStringList& templateFiles, qint64& bytes)
{
    static const char* const kinds[] = {"project", "project equipment", "project material"};
    if (HasUnfinishedSave(templateFiles.at(0))) {
        QvMessageBox(UnfinishedSaveText(templateFiles.at(0)), MB_ICONSTOP);
        return false;
    }
    for (int k = 0; k < 3; ++k) {
        // A named pipe or a device under a template's name would hold the open: it is refused.
        const RegularFileOpen file = OpenRegularFile(templateFiles.at(k), LinkRule::Follow);
        struct stat status {};
        const bool sized = file.state == RegularFileState::Opened && ::fstat(file.fd, &status) == 0;
        if (file.fd >= 0)
            ::close(file.fd);
        if (!sized) {
            QvMessageBox(file.state == RegularFileState::Refused
                             ? file.refusal
                             : QStringLiteral("Can't open temp %1 file!").arg(QLatin1String(kinds[k])));
            return false;
        }
        bytes += qint64(status.st_size);
    }
    return true;
}

bool CProjectManager::CheckSpaceForNewProject(const QString& folder, qint64 bytes)
{
    const qint64 available = m_freeSpace(folder);
    if (available < 0) {
        QvMessageBox(QStringLiteral("Can't get available disk space!"));
        return false;
    }
    if (available > bytes + NEW_PROJECT_RESERVE)
        return true;
    const QString drive = QStorageInfo(folder).rootPath();
    QvMessageBox("There is not enough disk space in drive " + drive + " to create the new project!");
    return false;
}

// The project file and its libraries in the folder, the working copies in the instance folder;
// a failure removes every copy made.
bool CProjectManager::CopyTemplateFiles(const QStringList& templateFiles, const QString& folder, const QString& name)
{
    ProjectFileSet& files = m_files;
    const QString temporary = GetQuorvantaTempDir() + name;
    const QString project = folder + name;
    struct Copy {
        QString from, to;
        bool workingCopy;
        const char* failure;
    };
    const Copy copies[] = {
        {templateFiles.at(0), project + ".prj", false, "Failed to create the new project file \"%1\" !"},
        {templateFiles.at(0), temporary + ".wc", true, "Failed to create the Working Copy project file \"%1\" !"},
        {templateFiles.at(1), temporary + ".ewc", true, "Failed to create the new project equipment database file \"%1\" !"},
        {templateFiles.at(2), temporary + ".mwc", true, "Failed to create the new project material database file \"%1\" !"},
        {templateFiles.at(1), project + ".eqm", false, "Failed to create the new project equipment database file \"%1\" !"},
        {templateFiles.at(2), project + ".mtl", false, "Failed to create the new project material database file \"%1\" !"},
    };
    QStringList made;
    const auto discard = [&made](const QString& message) {
        QvMessageBox(message);
        for (const QString& path : std::as_const(made))
            DeleteDatabaseFile(path);
        return false;
    };
    for (const Copy& copy : copies) {
        if (!CopyWritable(copy.from, copy.to, copy.workingCopy))
            return discard(QString::fromLatin1(copy.failure).arg(copy.to));
        made << copy.to;
    }
    try {
        SyncFolderOf(project + ".prj");
    } catch (const CDaoException& error) { // the new files may not last: no project is made of them
        return discard(error.GetErrorDescription());
    }
    files.projectFilePath = project + ".prj";
    files.projectDBPath = temporary + ".wc";
    files.equipmentDBPath = temporary + ".ewc";
    files.materialsDBPath = temporary + ".mwc";
    return true;
}
