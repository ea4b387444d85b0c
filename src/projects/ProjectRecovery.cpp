// The recovery write-back: the project's files move aside under their name + "1" and the working
// copies an earlier instance left behind take their place.

#include "foundation/common/AppContext.h"
#include "foundation/common/MessageBox.h"
#include "foundation/db/DatabaseFiles.h"
#include "projects/ProjectFileNames.h"
#include "projects/ProjectManager.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace {
// name -> name + "1", replacing an earlier "1" file; false after the message.
bool MoveAside(const QString& path)
{
    const QString aside = path + QLatin1Char('1');
    QFile::remove(aside);
    if (QFile::rename(path, aside))
        return true;
    QvMessageBox(QStringLiteral("Could not rename file \"%1\" !").arg(path));
    return false;
}

bool CopyBack(const QString& source, const QString& target, const QString& failedMessage)
{
    if (CopyDatabaseFile(source, target))
        return true;
    QvMessageBox(failedMessage.arg(target));
    return false;
}

QFileInfoList FilesWithExtension(const QString& folder, const QString& extension)
{
    QFileInfoList found;
    for (const QFileInfo& info : QDir(folder).entryInfoList({"*." + extension}, QDir::Files | QDir::Hidden)) {
        if (info.suffix().compare(extension, Qt::CaseInsensitive) == 0)
            found << info;
    }
    return found;
}
} // namespace

void CProjectManager::ReplaceProjectFiles(const QString& projectFolder, const QString& temporaryFolder,
                                          const QString& name)
{
    Q_UNUSED(temporaryFolder);
    const QString folder = WithSlash(projectFolder);
    const QString base = folder + name;
    if (MoveAsideProjectFiles(base, folder) && CopyBackWorkingCopies(base))
        CopyBackStepWorkingCopies(folder);
}

bool CProjectManager::MoveAsideProjectFiles(const QString& base, const QString& projectFolder)
{
    for (const char* extension : {".prj", ".mtl", ".eqm"}) {
        if (QFileInfo::exists(base + extension) && !MoveAside(base + extension))
            return false;
    }
    for (const QFileInfo& step : FilesWithExtension(projectFolder, QStringLiteral("stp"))) {
        if (!MoveAside(step.filePath()))
            return false;
    }
    return true;
}

bool CProjectManager::CopyBackWorkingCopies(const QString& base)
{
    const ProjectFileSet& files = GetAppContext()->fileSet();
    if (!CopyBack(files.previousProjectDBPath, base + ".prj",
                  QStringLiteral("Failed to copy project file \"%1\" !")) ||
        !CopyBack(files.previousMaterialsDBPath, base + ".mtl",
                  QStringLiteral("Failed to copy project material file \"%1\" !")) ||
        !CopyBack(files.previousEquipmentDBPath, base + ".eqm",
                  QStringLiteral("Failed to copy project equipment file \"%1\" !")))
        return false;
    DeleteDatabaseFile(files.previousProjectDBPath);
    DeleteDatabaseFile(files.previousMaterialsDBPath);
    DeleteDatabaseFile(files.previousEquipmentDBPath);
    return true;
}

// STEP_12.WC of the earlier instance becomes STEP_12.STP of the project, the name the open looks for.
bool CProjectManager::CopyBackStepWorkingCopies(const QString& projectFolder)
{
    const QString earlier = GetAppContext()->fileSet().previousWorkingCopyDir;
    for (const QFileInfo& copy : FilesWithExtension(earlier, QStringLiteral("wc"))) {
        const QString fileName = copy.fileName();
        if (!fileName.startsWith(QLatin1String("Step_"), Qt::CaseInsensitive))
            continue;
        const QString target =
            projectFolder + fileName.left(fileName.size() - 2).toUpper() + QStringLiteral("STP");
        if (!CopyBack(copy.filePath(), target, QStringLiteral("Failed to copy Step file \"%1\" !")))
            return false;
        DeleteDatabaseFile(copy.filePath());
    }
    return true;
}
