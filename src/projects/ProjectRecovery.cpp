// The recovery write-back: the project's (or template's) files move aside under their name + "1"
// and the working copies an earlier instance left behind take their place.

#include "foundation/common/AppContext.h"
#include "foundation/common/MessageBox.h"
#include "foundation/db/DatabaseFiles.h"
#include "projects/ProjectFileNames.h"
#include "projects/ProjectManager.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QPair>

#include <algorithm>

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

// The earlier instance's step working copies (STEP_12.WC), each with the step file it becomes
// (STEP_12.STP), the name the open looks for.
QList<QPair<QFileInfo, QString>> StepCopies(const QString& earlierFolder)
{
    QList<QPair<QFileInfo, QString>> copies;
    for (const QFileInfo& copy : FilesWithExtension(earlierFolder, QStringLiteral("wc"))) {
        const QString fileName = copy.fileName();
        if (fileName.startsWith(QLatin1String("Step_"), Qt::CaseInsensitive))
            copies.append({copy, fileName.left(fileName.size() - 2).toUpper() + QStringLiteral("STP")});
    }
    return copies;
}

bool IsReplacedStep(const QList<QPair<QFileInfo, QString>>& copies, const QString& stepFile)
{
    return std::any_of(copies.cbegin(), copies.cend(), [&](const QPair<QFileInfo, QString>& copy) {
        return copy.second.compare(stepFile, Qt::CaseInsensitive) == 0;
    });
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

// Only the step files that a working copy replaces: a step the earlier instance left out keeps its file.
bool CProjectManager::MoveAsideProjectFiles(const QString& base, const QString& projectFolder)
{
    const QStringList extensions = ProjectFileExtensions(m_files.isTemplate);
    for (const QString& extension : {extensions.at(0), extensions.at(2), extensions.at(1)}) {
        if (QFileInfo::exists(base + extension) && !MoveAside(base + extension))
            return false;
    }
    const auto copies = StepCopies(m_files.previousWorkingCopyDir);
    for (const QFileInfo& step : FilesWithExtension(projectFolder, QStringLiteral("stp"))) {
        if (IsReplacedStep(copies, step.fileName()) && !MoveAside(step.filePath()))
            return false;
    }
    return true;
}

bool CProjectManager::CopyBackWorkingCopies(const QString& base)
{
    const ProjectFileSet& files = m_files;
    const QStringList extensions = ProjectFileExtensions(files.isTemplate);
    if (!CopyBack(files.previousProjectDBPath, base + extensions.at(0),
                  QStringLiteral("Failed to copy project file \"%1\" !")) ||
        !CopyBack(files.previousMaterialsDBPath, base + extensions.at(2),
                  QStringLiteral("Failed to copy project material file \"%1\" !")) ||
        !CopyBack(files.previousEquipmentDBPath, base + extensions.at(1),
                  QStringLiteral("Failed to copy project equipment file \"%1\" !")))
        return false;
    DeleteDatabaseFile(files.previousProjectDBPath);
    DeleteDatabaseFile(files.previousMaterialsDBPath);
    DeleteDatabaseFile(files.previousEquipmentDBPath);
    return true;
}

bool CProjectManager::CopyBackStepWorkingCopies(const QString& projectFolder)
{
    for (const auto& [copy, stepFile] : StepCopies(m_files.previousWorkingCopyDir)) {
        if (!CopyBack(copy.filePath(), projectFolder + stepFile,
                      QStringLiteral("Failed to copy Step file \"%1\" !")))
            return false;
        DeleteDatabaseFile(copy.filePath());
    }
    return true;
}
