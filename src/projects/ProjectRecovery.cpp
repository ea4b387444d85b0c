// The recovery write-back: copied back to flushed temporaries, then each file moved aside and
// replaced.

#include "projects/ProjectRecovery.h"

#include "foundation/common/MessageBox.h"
#include "foundation/common/NewFile.h"
#include "foundation/common/UserSimSequenceFile.h"
#include "foundation/common/concerns/AppContext.h"
#include "foundation/db/connection/DaoException.h"
#include "foundation/db/connection/SharedConnection.h"
#include "foundation/db/files/DatabaseFiles.h"
#include "projects/PlanSequenceFiles.h"
#include "projects/ProjectFileNames.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSet>
#include <QSqlQuery>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <unistd.h>

namespace {
const QString TEMPORARY_SUFFIX = QStringLiteral(".tmp");

QString WithReason(const QString& message, const QString& reason)
{
    return reason.isEmpty() ? message : message + QStringLiteral("\n\n") + reason;
}

QString SystemError()
{
    return QString::fromLocal8Bit(std::strerror(errno));
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

// The project's step file a step working copy (STEP_12.WC) becomes: the existing one whatever its
// case, else the name the open looks for (STEP_12.STP).
QString StepTarget(const QString& projectFolder, const QString& copyName, const QFileInfoList& steps)
{
    const QString name = copyName.left(copyName.size() - 2).toUpper() + QStringLiteral("STP");
    for (const QFileInfo& step : steps) {
        if (step.fileName().compare(name, Qt::CaseInsensitive) == 0)
            return step.filePath();
    }
    return projectFolder + name;
}

// The steps of the project file copied back (a file without a journal beside it); false when it
// cannot be read or names none.
bool ReadRecoveredProjectSteps(const QString& path, QSet<long>& steps)
{
    QString error;
    const bool read = ReadAsUnchangeable(
        path,
        [&steps](const QSqlDatabase& project) {
            QSqlQuery query(project);
            query.exec(QStringLiteral("SELECT StepID FROM QryStepInProject"));
            while (query.next())
                steps.insert(long(query.value(0).toLongLong()));
        },
        &error);
    return read && !steps.isEmpty();
}

// name -> name + "1" (an older one replaced) as a hard link, so that the name itself stays until
// the recovered file takes it; a rename where links fail.
bool MoveAside(const QString& path)
{
    const QString aside = path + QLatin1Char('1');
    if (QFileInfo::exists(aside) && !QFile::remove(aside))
        return false;
    if (!QFileInfo::exists(path))
        return true;
    return LinkFile(path, aside) ||
           std::rename(QFile::encodeName(path).constData(), QFile::encodeName(aside).constData()) == 0;
}
} // namespace

// The files of the write-back: the earlier instance's project, material and equipment working
// copies, then its step working copies (only the steps it has copies of), then its plans' sequence
// files.
QList<CProjectRecovery::RecoveredFile> CProjectRecovery::RecoveredFiles(const QString& base,
                                                                        const QString& projectFolder) const
{
    const ProjectFileSet& files = m_files;
    const QStringList extensions = ProjectFileExtensions(files.isTemplate);
    QList<RecoveredFile> recovered{
        {files.previousProjectDBPath, base + extensions.at(0),
         QStringLiteral("Failed to copy project file \"%1\" !")},
        {files.previousMaterialsDBPath, base + extensions.at(2),
         QStringLiteral("Failed to copy project material file \"%1\" !")},
        {files.previousEquipmentDBPath, base + extensions.at(1),
         QStringLiteral("Failed to copy project equipment file \"%1\" !")},
    };
    const QFileInfoList steps = FilesWithExtension(projectFolder, QStringLiteral("stp"));
    for (const QFileInfo& copy : FilesWithExtension(files.previousWorkingCopyDir, QStringLiteral("wc"))) {
        if (copy.fileName().startsWith(QLatin1String("Step_"), Qt::CaseInsensitive))
            recovered.append({copy.filePath(), StepTarget(projectFolder, copy.fileName(), steps),
                              QStringLiteral("Failed to copy Step file \"%1\" !"), false,
                              copy.completeBaseName().mid(5).toLong()});
    }
    if (QFileInfo(files.previousWorkingCopyDir).canonicalFilePath() ==
        QFileInfo(projectFolder).canonicalFilePath())
        return recovered;
    for (const QString& name : SequenceFileNamesIn(files.previousWorkingCopyDir)) {
        recovered.append({QDir(files.previousWorkingCopyDir).filePath(name),
                          SequenceFileIn(projectFolder, name), QStringLiteral("File %1 could not be opened!"),
                          true});
    }
    return recovered;
}

// Copies back to flushed temporaries first: a failure there leaves everything as it was. Then each
// file is moved aside and replaced, and the earlier working copies go only after all of them, so
// that a write-back cut short is offered again.
bool CProjectRecovery::ReplaceProjectFiles(const QString& projectFolder, const QString& temporaryFolder,
                                           const QString& name) const
{
    Q_UNUSED(temporaryFolder);
    const QString folder = WithSlash(projectFolder);
    QList<RecoveredFile> files = RecoveredFiles(folder + name, folder);
    if (!CopyBackToTemporaries(files))
        return false;
    LeaveOutStepsNotInProject(files);
    if (!PutRecoveredFilesInPlace(files))
        return false;
    for (const RecoveredFile& file : files)
        DeleteDatabaseFile(file.source);
    return true;
}

bool CProjectRecovery::CopyBackToTemporaries(const QList<RecoveredFile>& files)
{
    for (qsizetype k = 0; k < files.size(); ++k) {
        QString error;
        const RecoveredFile& file = files.at(k);
        const QString temporary = file.target + TEMPORARY_SUFFIX;
        if (IsSymbolicLink(temporary))
            error = LinkRefusedText(temporary);
        const bool copied = error.isEmpty() && (file.text ? CopyUserSimSequenceFile(file.source, temporary)
                                                          : CopyDatabaseFile(file.source, temporary, &error));
        if (!copied) {
            for (qsizetype i = 0; i <= k; ++i) {
                if (!IsSymbolicLink(files.at(i).target + TEMPORARY_SUFFIX))
                    QFile::remove(files.at(i).target + TEMPORARY_SUFFIX);
            }
            QvMessageBox(WithReason(files.at(k).failedMessage.arg(files.at(k).target), error));
            return false;
        }
    }
    return true;
}

// A step working copy whose step the recovered project does not hold (an import or a copy stopped
// before its project commit) stays out, as a save leaves it out; the project's copy, first in the
// list, is read for its steps. Where it cannot be read every copy goes back.
void CProjectRecovery::LeaveOutStepsNotInProject(QList<RecoveredFile>& files)
{
    QSet<long> steps;
    if (files.isEmpty() || !ReadRecoveredProjectSteps(files.constFirst().target + TEMPORARY_SUFFIX, steps))
        return;
    files.removeIf([&steps](const RecoveredFile& file) {
        const bool unlisted = file.stepID > 0 && !steps.contains(file.stepID);
        if (unlisted)
            QFile::remove(file.target + TEMPORARY_SUFFIX);
        return unlisted;
    });
}

bool CProjectRecovery::PutRecoveredFilesInPlace(const QList<RecoveredFile>& files)
{
    for (qsizetype k = 0; k < files.size(); ++k) {
        const QString& target = files.at(k).target;
        try {
            if (!MoveAside(target))
                throw CDaoException(SystemError());
            RemoveSideFiles(target);
            ReplaceFile(target + TEMPORARY_SUFFIX, target);
            SyncFolderOf(target);
        } catch (const CDaoException& e) {
            for (qsizetype i = k; i < files.size(); ++i)
                QFile::remove(files.at(i).target + TEMPORARY_SUFFIX);
            QvMessageBox(WithReason(QStringLiteral("Could not rename file \"%1\" !").arg(target),
                                    e.GetErrorDescription()));
            return false;
        }
    }
    return true;
}
