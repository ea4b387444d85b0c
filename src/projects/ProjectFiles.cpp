// The project file set helpers: usable files, sizes, free space.

#include "foundation/common/MessageBox.h"
#include "foundation/common/RegularFile.h"
#include "foundation/common/concerns/AppContext.h"
#include "foundation/common/concerns/FrameServices.h"
#include "foundation/db/connection/DaoDatabase.h"
#include "foundation/db/files/DatabaseFiles.h"
#include "modules/steputils/StepUtilsEntry.h"
#include "projects/CompoundFile.h"
#include "projects/ProjectFileNames.h"
#include "projects/ProjectManager.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <optional>
#include <QLocale>
#include <QStorageInfo>
#include <sys/statvfs.h>
#include <unistd.h>
#include <utility>

namespace {
// A free-space figure of less than this makes the test fail.
constexpr qint64 DISK_SPACE_RESERVE = 2097152;

// The room an unprivileged writer has on the folder's file system (one status read, no mount table).
qint64 AvailableBytes(const QString& folder)
{
    struct statvfs storage {};
    if (folder.isEmpty() || ::statvfs(QFile::encodeName(folder).constData(), &storage) != 0)
        return -1;
    return qint64(storage.f_bavail) * qint64(storage.f_frsize);
}

bool HasWriteAccess(const QString& path)
{
    return ::access(QFile::encodeName(path).constData(), W_OK) == 0;
}

ConversionCode ConvertWithStepModule(const QString& stepWorkingCopy)
{
    return StepUtilsEntry().convertStep(stepWorkingCopy, QString(), 1);
}

const QStringList& ProjectFileExtensions()
{
    static const QStringList extensions = {"prj", "stp", "wc",  "eqm", "ewc",
                                           "mtl", "mwc", "qvt", "eqt", "mtt"};
    return extensions;
}
} // namespace

CProjectManager::CProjectManager(ProjectFileSet& files, StepDatabaseRegistry& steps)
    : m_files(files), m_steps(steps), m_convertStep(ConvertWithStepModule), m_compoundFile(&m_compound),
      m_freeSpace(AvailableBytes), m_writable(HasWriteAccess),
      m_save(files,
             {[this](const QString& name) { return SetProjectName(name); },
              [this](qint64 bytesNeeded) { return CheckDiskSpace(bytesNeeded); },
              [this](const QString& path, const QString& label) { return GetDatabaseFileSize(path, label); },
              m_bPendingRecentFile, m_bSameFolder, m_compoundFile})
{
    // A package is written from the saved project; the save itself does not write it back.
    m_compound.SetProjectSaver([this] { return SaveProject(QString(), true); });
    m_compound.SetTitleGiver([this] { return !m_bUntitled || SaveProjectAs(); });
}

// A project still open at this point keeps its working copies and marker for recovery; only the
// connections and the lock go.
CProjectManager::~CProjectManager()
{
    m_steps.clear();
    m_files.projectDatabase.reset();
    m_compound.SetProjectSaver({});
    m_compound.SetTitleGiver({});
}

void CProjectManager::SetFreeSpaceProbe(std::function<qint64(const QString&)> probe)
{
    m_freeSpace = probe ? std::move(probe) : AvailableBytes;
}

void CProjectManager::SetWriteAccessProbe(std::function<bool(const QString&)> probe)
{
    m_writable = probe ? std::move(probe) : HasWriteAccess;
}

void CProjectManager::SetStepConverter(std::function<ConversionCode(const QString&)> converter)
{
    m_convertStep = converter ? std::move(converter) : ConvertWithStepModule;
}

bool CProjectManager::CheckProjectFile(const QString& path)
{
    if (!QFileInfo::exists(path)) {
        QvMessageBox("The file " + path +
                     " does not exist.  \n\nVerify the .prj, .eqm and .mtl file names in the above directory "
                     "are the same.\nRenaming the file outside of Tamro Plenthover is not suggested.");
        return true;
    }
    // A named pipe under the name would hold the writability test (and the copy) for good.
    if (const QString refusal = RegularFileRefusal(path, LinkRule::Follow); !refusal.isEmpty()) {
        QvMessageBox(refusal);
        return true;
    }
    if (!m_writable(path)) {
        QvMessageBox(
            "The file " + path +
            " is read-only.  \n\nTamro Plenthover requires this file to be writable in order to open "
            "the project.");
        return true;
    }
    return false;
}

// A working copy's edits may still sit in its -wal; they count too.
qint64 CProjectManager::GetDatabaseFileSize(const QString& path, const QString& label)
{
    const DatabaseBytes bytes = ReadDatabaseBytes(path);
    if (!bytes.readable) {
        QvMessageBox("Can't open " + label + " file!");
        return 0;
    }
    if (bytes.file < 0) {
        QvMessageBox("Can't get size of the " + label + " file!");
        return 0;
    }
    return bytes.file + bytes.log;
}

qint64 CProjectManager::GetStepDatabasesSize(QString& folder, QList<long>* steps)
{
    folder = GetProjectDir();
    const QDir dir(folder);
    qint64 total = 0;
    for (const QFileInfo& info : dir.entryInfoList({QStringLiteral("*.stp")}, QDir::Files)) {
        if (info.suffix().compare(QLatin1String("stp"), Qt::CaseInsensitive) != 0)
            continue;
        if (CheckProjectFile(info.filePath()))
            return 0;
        total += GetDatabaseFileSize(info.filePath(), QStringLiteral("step database"));
        if (const std::optional<long> stepID = StepOfDatabaseName(info.fileName()); stepID && steps)
            steps->append(*stepID);
    }
    return total;
}

bool CProjectManager::CheckDiskSpace(qint64 bytesNeeded)
{
    const QString folder = GetProjectDir();
    const qint64 available = m_freeSpace(folder);
    if (available < 0) {
        QvMessageBox(QStringLiteral("Can't get available disk space!"));
        return false;
    }
    if (available > bytesNeeded + DISK_SPACE_RESERVE)
        return true;
    const QString drive = QStorageInfo(folder).rootPath();
    QvMessageBox("There is not enough disk space in drive " + drive + " to save the project!");
    if (ProjectLifecycleServices* frame = GetProjectLifecycleServices())
        frame->StopAutoSaveTimer();
    return false;
}

bool IsJapaneseLocale()
{
    return QLocale().language() == QLocale::Japanese;
}

void DeleteProjectFilesInFolder(const QString& folder)
{
    const QDir dir(folder);
    for (const QFileInfo& info : dir.entryInfoList(QDir::Files | QDir::Hidden)) {
        if (ProjectFileExtensions().contains(info.suffix(), Qt::CaseInsensitive))
            DeleteDatabaseFile(info.filePath());
    }
}
