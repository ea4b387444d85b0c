// The in-use marker: a reader that cannot take a shared lock finds the project in use.

#include "projects/InUseMarker.h"

#include "foundation/common/MessageBox.h"
#include "foundation/common/NewFile.h"
#include "foundation/common/concerns/AppContext.h"
#include "foundation/db/DiskSyncs.h"
#include "projects/ProjectFileNames.h"

#include <QFile>
#include <QFileInfo>
#include <fcntl.h>
#include <optional>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {
// The marker's text joined from its lines; nothing when another instance holds it. Never read
// through a link, nor held up by a fifo under its name.
std::optional<QString> ReadUnlockedMarker(const QString& path)
{
    const int fd =
        ::open(QFile::encodeName(path).constData(), O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0)
        return std::nullopt;
    std::optional<QString> text;
    if (::flock(fd, LOCK_SH | LOCK_NB) == 0) {
        QFile file;
        QByteArray bytes;
        if (file.open(fd, QIODevice::ReadOnly))
            bytes = file.readAll();
        text = QString::fromLocal8Bit(bytes).remove(QLatin1Char('\n')).remove(QLatin1Char('\r'));
    }
    ::close(fd);
    return text;
}

bool AllExist(const QString& base, const QStringList& extensions)
{
    for (const QString& extension : extensions) {
        if (!QFileInfo::exists(base + extension))
            return false;
    }
    return true;
}

// Another instance may unlink the marker between our open and our lock.
constexpr int MARKER_ATTEMPTS = 100;

bool IsFileAtPath(int fd, const QString& path)
{
    struct stat opened {};
    struct stat named {};
    return ::fstat(fd, &opened) == 0 && ::stat(QFile::encodeName(path).constData(), &named) == 0 &&
           opened.st_dev == named.st_dev && opened.st_ino == named.st_ino;
}

bool SyncFolder(const QString& folder)
{
    const int fd = ::open(QFile::encodeName(folder).constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    const bool synced = fd >= 0 && SyncDescriptor(fd);
    if (fd >= 0)
        ::close(fd);
    return synced;
}

bool WriteAll(int fd, const QByteArray& bytes)
{
    qsizetype written = 0;
    while (written < bytes.size()) {
        const ssize_t n = ::write(fd, bytes.constData() + written, size_t(bytes.size() - written));
        if (n <= 0)
            return false;
        written += n;
    }
    return true;
}
} // namespace

CInUseMarker::~CInUseMarker()
{
    if (m_file >= 0)
        ::close(m_file);
}

int CInUseMarker::CheckProjectInUse(QString& projectFolder, QString& projectName)
{
    const QFileInfo project(m_files.projectFilePath);
    projectFolder = WithSlash(project.absolutePath());
    projectName = project.completeBaseName();
    const QString marker = projectFolder + IN_USE_MARKER_NAME;
    if (IsSymbolicLink(marker)) {
        QvMessageBox(LinkRefusedText(marker));
        return 3;
    }
    if (!QFileInfo::exists(marker))
        return 0;
    const std::optional<QString> text = ReadUnlockedMarker(marker);
    if (!text) {
        QvMessageBox(QString::fromLatin1(ALREADY_OPEN_TEXT));
        return 3;
    }
    const QString recorded = WithSlash(*text);
    if (!IsInstanceFolder(recorded) || !AllExist(recorded + projectName, {".wc", ".ewc", ".mwc"}))
        return 0;
    ProjectFileSet& files = m_files;
    files.previousWorkingCopyDir = recorded;
    files.previousProjectDBPath = recorded + projectName + ".wc";
    files.previousEquipmentDBPath = recorded + projectName + ".ewc";
    files.previousMaterialsDBPath = recorded + projectName + ".mwc";
    return AllExist(projectFolder + projectName, ProjectFileExtensions(files.isTemplate)) ? 2 : 1;
}

bool CInUseMarker::WriteInUseMarker(const QString& projectFolder)
{
    Release();
    const QString path = WithSlash(projectFolder) + IN_USE_MARKER_NAME;
    for (int attempt = 0; attempt < MARKER_ATTEMPTS; ++attempt) {
        const MarkerLock lock = LockMarker(path);
        if (lock == MarkerLock::Failed)
            return false;
        if (lock == MarkerLock::Locked)
            return TakeLockedMarker(path);
    }
    return false;
}

// The lock guards the marker only when the file locked is the one the path names: another
// instance releasing it unlinks it before it unlocks, and the next instance creates a new one.
CInUseMarker::MarkerLock CInUseMarker::LockMarker(const QString& path)
{
    const int fd = OpenNewFile(path, ExistingFile::Reuse, nullptr);
    if (fd < 0)
        return MarkerLock::Failed;
    if (m_beforeLock)
        m_beforeLock(path);
    if (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
        ::close(fd);
        return MarkerLock::Failed;
    }
    if (!IsFileAtPath(fd, path)) {
        ::close(fd);
        return MarkerLock::Unlinked;
    }
    m_file = fd;
    return MarkerLock::Locked;
}

// Only the holder of the lock may change the content. The marker and its name are durable before
// the project's files can change: a power loss must not leave an empty marker behind a save.
bool CInUseMarker::TakeLockedMarker(const QString& path)
{
    if (::ftruncate(m_file, 0) != 0 || !WriteAll(m_file, QFile::encodeName(GetQuorvantaTempDir())) ||
        !SyncDescriptor(m_file) || !SyncFolder(QFileInfo(path).absolutePath())) {
        ::close(m_file);
        m_file = -1;
        return false;
    }
    m_path = path;
    return true;
}

void CInUseMarker::Release()
{
    if (m_file < 0)
        return;
    const QString folder = QFileInfo(m_path).path() + QLatin1Char('/');
    for (const QString& name : ProjectScratchFileNames())
        QFile::remove(folder + name);
    QFile::remove(m_path);
    ::close(m_file);
    m_file = -1;
    m_path.clear();
}
