// Opening a project: a project that cannot be written where it lies (or lies in the install
// folder) is copied into the working folder, after the read-only warning.

#include "foundation/common/CopyDirectory.h"
#include "foundation/common/MessageBox.h"
#include "foundation/common/concerns/AppContext.h"
#include "foundation/db/files/DatabaseFiles.h"
#include "projects/ProjectFileNames.h"
#include "projects/ProjectManager.h"
#include "projects/WarningDialog.h"

#include <QDir>
#include <QFileInfo>

namespace {
constexpr int MAX_COPY_NUMBER = 999;

bool IsDatabaseFile(const QFileInfo& file)
{
    static const QStringList extensions = {"prj", "stp", "eqm", "mtl", "qvt",
                                           "eqt", "mtt", "wc",  "ewc", "mwc"};
    return extensions.contains(file.suffix(), Qt::CaseInsensitive);
}

bool IsJournalFile(const QString& name)
{
    return name.endsWith(QLatin1String("-wal")) || name.endsWith(QLatin1String("-shm")) ||
           name.endsWith(QLatin1String("-journal"));
}

// Database files go through the layer's copy, which takes in what a journal beside them holds.
bool CopyProjectFolderFile(const QString& from, const QString& to)
{
    const QFileInfo file(from);
    if (IsJournalFile(file.fileName()))
        return true;
    return IsDatabaseFile(file) ? CopyDatabaseFile(from, to) : CopyFileBytes(from, to);
}

bool LiesInInstallFolder(const QString& path)
{
    const QString install = GetInstallDir();
    if (install.isEmpty())
        return false;
    const QString folder = QDir::cleanPath(QFileInfo(install).absoluteFilePath()) + QLatin1Char('/');
    return QDir::cleanPath(QFileInfo(path).absoluteFilePath()).startsWith(folder);
}
} // namespace

bool CProjectManager::CheckWriteAccess()
{
    ProjectFileSet& files = m_files;
    const QFileInfo file(files.projectFilePath);
    const bool inInstallFolder = LiesInInstallFolder(files.projectFilePath);
    if (!inInstallFolder && IsWritableInPlace(files.projectFilePath))
        return true;
    const QString target = CopyTargetFolder(file.completeBaseName());
    if (!ConfirmCopyToWorkingFolder(target, inInstallFolder))
        return false;
    if (!CopyDirectory(file.absolutePath(), target, CopyProjectFolderFile))
        return false;
    files.projectDir = WithSlash(target);
    files.projectFilePath = files.projectDir + file.fileName();
    return true;
}

// The file and its folder must both be writable; a file not written yet needs only the folder.
bool CProjectManager::IsWritableInPlace(const QString& projectFile) const
{
    const QFileInfo file(projectFile);
    return m_writable(file.absolutePath()) && (!file.exists() || m_writable(file.absoluteFilePath()));
}

// <working folder><name>, else <name>(1) ... <name>(999): the first that does not exist.
QString CProjectManager::CopyTargetFolder(const QString& name) const
{
    const QString working = WithSlash(GetAppContext()->paths()->workingDir());
    QString target = working + name;
    for (int n = 1; n <= MAX_COPY_NUMBER && QFileInfo::exists(target); ++n)
        target = QStringLiteral("%1%2(%3)").arg(working, name).arg(n);
    return target;
}

bool CProjectManager::ConfirmCopyToWorkingFolder(const QString& target, bool inInstallFolder)
{
    ProjectFileSet& files = m_files;
    if (!files.writeWarning && !inInstallFolder)
        return true;
    CWarningDialog dialog(target,
                          QStringLiteral("You do not have write access to the folder containing this file."),
                          QStringLiteral("Click OK to continue, or Cancel to abort this operation."));
    dialog.SetShowCheckBox(!inInstallFolder);
    if (dialog.DoModal() != IDOK)
        return false;
    files.writeWarning = !dialog.m_bDontAskAgain;
    return true;
}
