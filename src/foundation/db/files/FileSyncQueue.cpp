#include "foundation/db/files/FileSyncQueue.h"

#include "foundation/db/files/DiskSyncs.h"

#include <QFile>

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <system_error>
#include <unistd.h>

namespace {
// Enough flushes waiting together for the file system to commit them in a few batches.
constexpr size_t SYNC_THREADS = 8;

QString SystemError(int error)
{
    return QString::fromLocal8Bit(std::strerror(error));
}
} // namespace

CFileSyncQueue::~CFileSyncQueue()
{
    Finish();
}

void CFileSyncQueue::Add(const QString& path)
{
    if (DiskSyncsSkipped())
        return;
    {
        const std::lock_guard lock(m_mutex);
        m_pending.push_back(path);
    }
    if (m_threads.size() >= SYNC_THREADS || !StartThread())
        m_queued.notify_one();
}

// False when no thread could be started: the files wait for a thread under way, or for Finish.
bool CFileSyncQueue::StartThread()
{
    try {
        m_threads.emplace_back([this] { Work(); });
        return true;
    } catch (const std::system_error&) {
        return false;
    }
}

QString CFileSyncQueue::Finish()
{
    {
        const std::lock_guard lock(m_mutex);
        m_closed = true;
    }
    m_queued.notify_all();
    for (std::thread& thread : m_threads)
        thread.join();
    m_threads.clear();
    Work(); // what no thread took
    const std::lock_guard lock(m_mutex);
    m_closed = false;
    return m_failure;
}

// False once the queue is closed and empty.
bool CFileSyncQueue::Take(QString& path)
{
    std::unique_lock lock(m_mutex);
    m_queued.wait(lock, [this] { return m_closed || !m_pending.empty(); });
    if (m_pending.empty())
        return false;
    path = std::move(m_pending.front());
    m_pending.pop_front();
    return true;
}

// The file as written: a link put in its place is not followed.
void CFileSyncQueue::Work()
{
    for (QString path; Take(path);) {
        const int fd = ::open(QFile::encodeName(path).constData(), O_RDONLY | O_CLOEXEC | O_NOFOLLOW);
        if (fd < 0) {
            Fail(QStringLiteral("Cannot open '%1': %2").arg(path, SystemError(errno)));
            continue;
        }
        const bool synced = SyncDescriptor(fd);
        const int error = errno;
        ::close(fd);
        if (!synced)
            Fail(QStringLiteral("Cannot flush '%1' to disk: %2").arg(path, SystemError(error)));
    }
}

void CFileSyncQueue::Fail(const QString& text)
{
    const std::lock_guard lock(m_mutex);
    if (m_failure.isEmpty())
        m_failure = text;
}
