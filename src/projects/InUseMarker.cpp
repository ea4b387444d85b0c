// The in-use marker: a reader that cannot take a shared lock finds the project in use.

#include "projects/InUseMarker.h"

#include "foundation/common/MessageBox.h"
#include "foundation/common/NewFile.h"
#include "foundation/common/RegularFile.h"
#include "foundation/common/concerns/AppContext.h"
#include "foundation/db/files/DiskSyncs.h"
#include "projects/ProjectFileNames.h"

#include <QFile>
#include <QFileInfo>
#include <cerrno>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {
// What the marker holds: its text joined from its lines, or why it is not read.
struct MarkerRead {
    enum class State { Absent, Held, Read, Refused } state = State::Absent;
    QString text; // the lines joined when Read; the refusal when Refused
};

// Read only as a regular file under its own name, within a text file's bound, and only when no other
// instance holds it: a named pipe, a socket, a device or a folder there is refused by its kind.
MarkerRead ReadUnlockedMarker(const QString& path)
{
    const RegularFileOpen opened = OpenRegularFile(path, LinkRule::Refuse);
    if (opened.state == RegularFileState::Missing)
        return MarkerRead{};
    if (opened.state == RegularFileState::Refused)
        return MarkerRead{MarkerRead::State::Refused, opened.refusal};
    if (opened.state != RegularFileState::Opened || ::flock(opened.fd, LOCK_SH | LOCK_NB) != 0) {
        if (opened.fd >= 0)
            ::close(opened.fd);
        return MarkerRead{MarkerRead::State::Held, QString()};
    }
    const RegularFileRead file = ReadOpenedFile(opened.fd, path, TEXT_FILE_BOUND);
    ::close(opened.fd);
    if (file.state == RegularFileState::Refused)
        return MarkerRead{MarkerRead::State::Refused, file.refusal};
    const QString text =
        QString::fromLocal8Bit(file.bytes).remove(QLatin1Char('\n')).remove(QLatin1Char('\r'));
    return MarkerRead{MarkerRead::State::Read, text};
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

// The marker found under the path, read-only, when it is a regular file; -1 with errno ENOENT when
// there is none.
int OpenOldMarker(const QString& path)
{
    const int fd =
        ::open(QFile::encodeName(path).constData(), O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC);
    struct stat status {};
    if (fd < 0 || (::fstat(fd, &status) == 0 && S_ISREG(status.st_mode)))
        return fd;
    ::close(fd);
    errno = EISDIR;
    return -1;
}

bool IsPlainFile(const QString& path)
{
    struct stat status {};
    return ::lstat(QFile::encodeName(path).constData(), &status) == 0 && S_ISREG(status.st_mode);
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
    m_earlierInstance.reset();
    const QFileInfo project(m_files.projectFilePath);
    projectFolder = WithSlash(project.absolutePath());
    projectName = project.completeBaseName();
    const QString marker = projectFolder + IN_USE_MARKER_NAME;
    if (IsSymbolicLink(marker)) {
        QvMessageBox(LinkRefusedText(marker));
        return 3;
    }
    const MarkerRead read = ReadUnlockedMarker(marker);
    if (read.state == MarkerRead::State::Absent)
        return 0;
    if (read.state != MarkerRead::State::Read) {
        QvMessageBox(read.state == MarkerRead::State::Refused ? read.text
                                                              : QString::fromLatin1(ALREADY_OPEN_TEXT));
        return 3;
    }
    const QString recorded = WithSlash(read.text);
    if (!IsInstanceFolder(recorded))
        return 0;
    auto earlier = std::make_unique<CInstanceFolderLock>(recorded);
    if (!earlier->Free() || !AllExist(recorded + projectName, {".wc", ".ewc", ".mwc"}))
        return 0;
    m_earlierInstance = std::move(earlier);
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
// The marker is never written as the file it is (it may be a hard link to any file): the old one is
// locked through a read-only descriptor, and only while that lock is held is its name removed and
// a new marker made in its place, so that no other instance's fresh lock is taken from it.
CInUseMarker::MarkerLock CInUseMarker::LockMarker(const QString& path)
{
    const int old = OpenOldMarker(path);
    if (old < 0 && errno != ENOENT)
        return MarkerLock::Failed;
    if (old >= 0) {
        const MarkerLock oldLock = LockIfNamed(old, path);
        if (oldLock != MarkerLock::Locked || ::unlink(QFile::encodeName(path).constData()) != 0) {
            ::close(old);
            return oldLock == MarkerLock::Locked ? MarkerLock::Failed : oldLock;
        }
    }
    const MarkerLock lock = LockNewMarker(path);
    if (old >= 0)
        ::close(old);
    return lock;
}

// A marker another instance made since the look, or locked first once made here, is that
// instance's: the next try finds it held.
CInUseMarker::MarkerLock CInUseMarker::LockNewMarker(const QString& path)
{
    const int fd = OpenNewFile(path, ExistingFile::Refuse, nullptr);
    if (fd < 0)
        return IsPlainFile(path) ? MarkerLock::Unlinked : MarkerLock::Failed;
    const MarkerLock lock = LockIfNamed(fd, path);
    if (lock == MarkerLock::Locked) {
        m_file = fd;
        return lock;
    }
    ::close(fd);
    return MarkerLock::Unlinked;
}

// Locked without waiting: Failed when another instance holds it, Unlinked when the path no longer
// names it.
CInUseMarker::MarkerLock CInUseMarker::LockIfNamed(int fd, const QString& path)
{
    if (m_beforeLock)
        m_beforeLock(path);
    if (::flock(fd, LOCK_EX | LOCK_NB) != 0)
        return MarkerLock::Failed;
    return IsFileAtPath(fd, path) ? MarkerLock::Locked : MarkerLock::Unlinked;
}

// Only the holder of the lock writes the new marker. The marker and its name are durable before
// the project's files can change: a power loss must not leave an empty marker behind a save.
bool CInUseMarker::TakeLockedMarker(const QString& path)
{
    if (!WriteAll(m_file, QFile::encodeName(GetQuorvantaTempDir())) || !SyncDescriptor(m_file) ||
        !SyncFolder(QFileInfo(path).absolutePath())) {
        if (IsFileAtPath(m_file, path)) // the marker made here, never a file put in its place since
            ::unlink(QFile::encodeName(path).constData());
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
