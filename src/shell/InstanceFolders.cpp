#include "shell/InstanceFolders.h"

#include <QDir>
#include <QFile>
#include <QStandardPaths>
#include <QTemporaryDir>

#include <cerrno>
#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>
#include <utility>

namespace {
const QString ROOT_LOCK_FILE = QStringLiteral("instances.lock");
const QString INSTANCE_PREFIX = QStringLiteral("instance-");

// An exclusive flock on the file, held until destruction; -1 when the file could not be opened.
class FileLock {
public:
    FileLock(const QString& path, int createFlag, int lockFlags)
        : m_fd(
              ::open(QFile::encodeName(path).constData(), O_RDWR | O_CLOEXEC | O_NOFOLLOW | createFlag, 0600))
    {
        int result = -1;
        while (m_fd >= 0 && (result = ::flock(m_fd, LOCK_EX | lockFlags)) != 0 && errno == EINTR) {
        }
        m_locked = m_fd >= 0 && result == 0;
    }
    ~FileLock()
    {
        if (m_fd >= 0)
            ::close(m_fd);
    }
    FileLock(const FileLock&) = delete;
    FileLock& operator=(const FileLock&) = delete;
    bool locked() const { return m_locked; }
    int release() { return std::exchange(m_fd, -1); }

private:
    int m_fd;
    bool m_locked = false;
};

QString WithSlash(const QString& folder)
{
    return folder.endsWith(QLatin1Char('/')) ? folder : folder + QLatin1Char('/');
}

// Removes a dead instance's folder unless it holds working copies.
void RemoveIfStale(const QString& folder)
{
    const CInstanceFolderLock lock(folder);
    if (!lock.Free())
        return;
    if (!HoldsWorkingCopies(folder))
        QDir(folder).removeRecursively();
}

QString MakeFolder(const QString& root)
{
    QTemporaryDir folder(root + INSTANCE_PREFIX + QStringLiteral("XXXXXX"));
    folder.setAutoRemove(false);
    return folder.isValid() ? WithSlash(folder.path()) : QString();
}
} // namespace

QString WorkingCopiesRoot()
{
    return QStandardPaths::writableLocation(QStandardPaths::CacheLocation) + QStringLiteral("/WorkingCopies/");
}

QStringList WorkingCopyDatabasesIn(const QString& folder)
{
    QStringList found;
    const QDir dir(folder); // name filters ignore case
    for (const QString& name : dir.entryList({"*.wc", "*.ewc", "*.mwc"}, QDir::Files | QDir::Hidden))
        found << dir.filePath(name);
    return found;
}

bool HoldsWorkingCopies(const QString& folder)
{
    const QStringList withLogs = {"*.wc", "*.ewc", "*.mwc", "*.wc-wal", "*.ewc-wal", "*.mwc-wal"};
    return !QDir(folder).entryList(withLogs, QDir::Files | QDir::Hidden).isEmpty();
}

void RemoveStaleInstanceFolders(const QString& root)
{
    const QDir dir(root);
    for (const QString& name : dir.entryList(QDir::Dirs | QDir::NoDotAndDotDot | QDir::Hidden)) {
        if (name.startsWith(INSTANCE_PREFIX))
            RemoveIfStale(WithSlash(dir.filePath(name)));
    }
}

CInstanceFolder::CInstanceFolder(const QString& root)
{
    const QString base = WithSlash(root);
    QDir().mkpath(base);
    FileLock rootLock(base + ROOT_LOCK_FILE, O_CREAT, 0);
    RemoveStaleInstanceFolders(base);
    const QString folder = MakeFolder(base);
    if (folder.isEmpty())
        return;
    FileLock own(folder + QLatin1String(INSTANCE_LOCK_FILE), O_CREAT, LOCK_NB);
    if (!own.locked()) {
        QDir(folder).removeRecursively();
        return;
    }
    m_lock = own.release();
    m_path = folder;
}

CInstanceFolder::~CInstanceFolder()
{
    if (m_lock >= 0)
        ::close(m_lock);
}

void CInstanceFolder::RemoveIfUnused()
{
    if (m_path.isEmpty() || HoldsWorkingCopies(m_path))
        return;
    QDir(m_path).removeRecursively();
    if (m_lock >= 0)
        ::close(m_lock);
    m_lock = -1;
}
