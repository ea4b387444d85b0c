// Opening a project, first steps: which file, the file dialog, the package, the in-use check and
// the recovery of an earlier instance's working copies.

#include "foundation/common/FileDialogService.h"
#include "foundation/common/MessageBox.h"
#include "foundation/common/concerns/AppContext.h"
#include "foundation/db/schema/SchemaBuilder.h"
#include "modules/packer/CompoundFilePacker.h"
#include "modules/steputils/SchemaMigrator.h"
#include "projects/CompoundFile.h"
#include "projects/CompoundFileState.h"
#include "projects/ProjectFileKind.h"
#include "projects/ProjectFileNames.h"
#include "projects/ProjectManager.h"

#include <QDir>
#include <QFileInfo>
#include <QScopeGuard>
#include <QSettings>

namespace {
const char* const OPEN_FILTER =
    " ZEVK Files (*.prj; *.qvz; *.qvt)|*.prj; *.qvz; *.qvt| Projects (*.prj)|*.prj| "
    "Project Templates (*.qvt)|*.qvt| Compound Files (*.qvz)|*.qvz| All Files "
    "(*.*)|*.*||";
constexpr int COMPOUND_FILTER_ENTRY = 4;
const char* const NOT_A_PROJECT = "Please select a Tamro Plenthover Project file to open!";
const char* const RECOVER_QUESTION = "A working copy of this Project exists and may contain unsaved "
                                     "work.\n\nDo you want to try to recover it?";

bool HasExtension(const QFileInfo& file, const char* extension)
{
    return file.suffix().compare(QLatin1String(extension), Qt::CaseInsensitive) == 0;
}

// A step working copy ("STEP_12.wc") is no project.
bool IsStepWorkingCopy(const QFileInfo& file)
{
    const QString title = file.fileName().chopped(3);
    return title.size() > 5 && title.startsWith(QLatin1String("Step_"), Qt::CaseInsensitive);
}

bool IsProjectFileKind(const QFileInfo& file)
{
    if (HasExtension(file, "prj") || HasExtension(file, "qvt") || HasExtension(file, "qvz"))
        return true;
    return HasExtension(file, "wc") && !IsStepWorkingCopy(file);
}

// Why a package is no package of ours, read whole as its unpack reads it (every member listed and
// named as the packer allows, the project's files there, the sizes in range) without writing
// anything; empty when it is one.
QString PackageRefusal(const QString& path)
{
    std::unique_ptr<ICompoundFilePacker> packer = CreateCompoundFilePacker();
    QStringList members;
    if (packer->GetPackageMembers(path, members))
        return QString();
    const QString reason = packer->RefusalReason();
    return reason.isEmpty() ? QStringLiteral("the file is not a compound file") : reason;
}

// Why a database file is no project of ours; empty when it is one. A newer version's file passes:
// the open itself says why it cannot use it.
QString DatabaseRefusal(const QString& path)
{
    CSchemaMigrator migrator(DatabaseKind::Project, {});
    switch (migrator.Inspect(path)) {
    case MigrationOutcome::Failed: return QStringLiteral("the file cannot be read as a database");
    case MigrationOutcome::NotOurs:
        // An object of the schema that is not ours is named.
        return migrator.ErrorText().isEmpty() ? QStringLiteral("the database was not created by Tamro Plenthover")
                                              : migrator.ErrorText();
    default: return QString();
    }
}

QString InitialOpenFolder()
{
    AppContext* app = GetAppContext();
    const QString working = app->paths() ? app->paths()->workingDir() : QString();
    if (!working.isEmpty() && QFileInfo(working).isDir())
        return working;
    const QString current =
        app->profile() ? app->profile()->value(QStringLiteral("Current Dir/Dir")).toString() : QString();
    return !current.isEmpty() && QFileInfo(current).isDir() ? current : QString();
}
} // namespace

bool CheckProjectFileToOpen(const QString& path)
{
    const QFileInfo file(path);
    if (!file.isFile()) {
        QvMessageBox(QStringLiteral("The file %1 does not exist").arg(path));
        return false;
    }
    if (!IsProjectFileKind(file)) {
        QvMessageBox(QString::fromLatin1(NOT_A_PROJECT));
        return false;
    }
    const QString refusal = HasExtension(file, "qvz") ? PackageRefusal(path) : DatabaseRefusal(path);
    if (!refusal.isEmpty())
        QvMessageBox(NotAProjectText(path, refusal));
    return refusal.isEmpty();
}

QString NotAProjectText(const QString& path, const QString& reason)
{
    return QStringLiteral("%1 is not a Tamro Plenthover project: %2").arg(path, reason);
}

bool CProjectManager::LocateProjectFile(int mode)
{
    ProjectFileSet& files = m_files;
    if (mode == 1) {
        files.projectFileKind = 1;
        return true;
    }
    if (mode == 3) {
        const QFileInfo file(files.projectFilePath);
        files.projectDBPath = GetQuorvantaTempDir() + file.completeBaseName() + QStringLiteral(".wc");
        files.projectDir = WithSlash(file.absolutePath());
        return true;
    }
    const bool pathGiven = files.pathGiven;
    if (!pathGiven && !ChooseProjectFile())
        return false;
    return PrepareExistingFile(pathGiven);
}

bool CProjectManager::ChooseProjectFile()
{
    const ProjectFileSet& files = m_files;
    FileDialogRequest request;
    request.title = QStringLiteral("Open Project");
    request.filter = QString::fromLatin1(OPEN_FILTER);
    request.defaultExtension = QStringLiteral(".prj, .qvz, .qvt");
    request.initialPath = InitialOpenFolder();
    if (!files.projectFilePath.isEmpty()) {
        const QString package =
            m_compoundFile ? m_compoundFile->GetCompoundFilePath(files.projectDir) : QString();
        request.initialPath = package.isEmpty() ? files.projectFilePath : package;
        request.filterIndex = package.isEmpty() ? 1 : COMPOUND_FILTER_ENTRY;
    }
    const QString chosen = ChooseFile(request);
    // A package is unpacked and checked whole before the open project is asked about.
    if (chosen.isEmpty() || !CheckProjectFileToOpen(chosen) || !m_compound.StageIfCompound(chosen) ||
        !CloseForReopen())
        return false;
    TakeChosenFile(chosen);
    return true;
}

void CProjectManager::TakeChosenFile(const QString& path)
{
    ProjectFileSet& files = m_files;
    const QFileInfo file(path);
    files.projectFilePath = path;
    files.isTemplate = HasExtension(file, "qvt");
    files.projectFileKind = HasExtension(file, "qvz") ? 2 : 1;
    files.projectDBPath = GetQuorvantaTempDir() + file.completeBaseName() + QStringLiteral(".wc");
    files.projectDir = WithSlash(file.absolutePath());
}

bool CProjectManager::PrepareExistingFile(bool pathGiven)
{
    ProjectFileSet& files = m_files;
    if (pathGiven) {
        // A file that is no project is refused while the open project stays as it is.
        if (!CheckProjectFileToOpen(m_requestedPath)) {
            if (!QFileInfo::exists(m_requestedPath))
                GetAppContext()->RemoveFromRecentFileList(m_requestedPath);
            return false;
        }
        if (!m_compound.StageIfCompound(m_requestedPath) || !CloseForReopen())
            return false;
        files.projectFilePath = m_requestedPath;
    }
    bool unpacked = false;
    if (!m_compound.IsStartupPackage() && !UnpackIfCompound(unpacked))
        return false;
    files.isTemplate = HasExtension(QFileInfo(files.projectFilePath), "qvt");
    QString folder, name;
    const int inUse = m_marker.CheckProjectInUse(folder, name);
    const auto letGoOfEarlierInstance = qScopeGuard([this] { m_marker.ReleaseEarlierInstance(); });
    // A save cut short is finished (or undone) before anything reads the project's files.
    if (inUse == 3 || !m_save.FinishSaveJournal(GetProjectFilePath()))
        return false;
    files.projectDir = folder;
    files.projectDBPath = GetQuorvantaTempDir() + name + QStringLiteral(".wc");
    return inUse == 0 || OfferRecovery(inUse, name);
}

bool CProjectManager::OfferRecovery(int inUse, const QString& name)
{
    const int answer = QvMessageBox(QString::fromLatin1(RECOVER_QUESTION), MB_YESNOCANCEL | MB_ICONQUESTION);
    if (answer == IDYES)
        return m_recovery.ReplaceProjectFiles(GetProjectDir(), GetQuorvantaTempDir(), name);
    return answer == IDNO && inUse == 2;
}

// A package named by the project file path is unpacked; the path then names the unpacked file.
bool CProjectManager::UnpackIfCompound(bool& unpacked)
{
    unpacked = CCompoundFile::IsCompoundFile(m_files.projectFilePath);
    if (!m_files.projectFilePath.isEmpty())
        m_files.projectFileKind = unpacked ? 2 : 1;
    if (!unpacked)
        return true;
    if (!m_compound.Expand(m_files.projectFilePath))
        return false;
    m_files.projectFilePath = m_compound.UnpackedProjectFile();
    return true;
}
