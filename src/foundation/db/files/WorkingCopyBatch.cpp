#include "foundation/db/files/WorkingCopyBatch.h"

#include "foundation/db/connection/DaoException.h"
#include "foundation/db/files/DatabaseFiles.h"
#include "foundation/db/files/DiskSyncs.h"

#include <QFile>

#include <cerrno>
#include <cstring>
#include <system_error>
#include <unistd.h>

namespace {
// Enough flushes waiting together for the file system to commit them in a few batches.
constexpr size_t COPY_THREADS = 8;
// A thread is woken once this many copies wait: each wake costs the caller a call into the
// kernel, and a woken thread writes every copy waiting. Take wakes them for a copy it waits for.
constexpr size_t COPIES_PER_WAKE = 4;
} // namespace

CWorkingCopyBatch::~CWorkingCopyBatch()
{
    {
        const std::lock_guard lock(m_mutex);
        m_stopping = true;
    }
    m_queued.notify_all();
    for (std::thread& thread : m_threads)
        thread.join();
    for (const Copy& copy : m_copies) {
        for (const int fd : {copy.ends.from, copy.ends.to}) {
            if (copy.state == State::Queued && fd >= 0)
                ::close(fd);
        }
        if (copy.state != State::Failed && !copy.taken)
            DeleteDatabaseFile(copy.written);
    }
}

// The checks and the new file here; a copy they refuse, or that compaction wrote at once, is
// settled before any thread sees it.
int CWorkingCopyBatch::Add(const QString& source, const QString& target, WorkingCopyWrite write)
{
    QString error;
    WorkingCopyEnds ends;
    const WorkingCopyStart start = StartWorkingCopy(source, target, write, ends, &error);
    const QString written = start == WorkingCopyStart::Written ? target : WorkingCopyBeingWritten(target, write);
    if (start == WorkingCopyStart::Written) {
        try {
            SyncFile(target);
        } catch (const CDaoException& exception) {
            FailFlush(exception.GetErrorDescription());
        }
    }
    size_t index = 0, waiting = 0;
    {
        const std::lock_guard lock(m_mutex);
        index = m_copies.size();
        m_copies.push_back({source, target, write, written, ends, State::Queued, QString(), false});
        if (start == WorkingCopyStart::BytesWanted)
            m_pending.push_back(index);
        waiting = m_pending.size();
    }
    if (start != WorkingCopyStart::BytesWanted) {
        Settle(index, start == WorkingCopyStart::Written ? State::Done : State::Failed, error);
        return int(index);
    }
    if (m_threads.size() < COPY_THREADS)
        StartThread(); // a new thread looks for copies at once
    else if (waiting >= COPIES_PER_WAKE)
        m_queued.notify_one();
    if (m_threads.empty())
        Work(false); // no thread: written here and now
    return int(index);
}

void CWorkingCopyBatch::StartThread()
{
    try {
        m_threads.emplace_back([this] { Work(true); });
    } catch (const std::system_error&) {
        // the copies wait for a thread under way
    }
}

QString CWorkingCopyBatch::Take(int index)
{
    std::unique_lock lock(m_mutex);
    Copy& copy = m_copies.at(size_t(index));
    if (copy.state == State::Queued && !m_pending.empty())
        m_queued.notify_all(); // copies held back for a later wake
    m_settled.wait(lock, [&copy] { return copy.state != State::Queued; });
    if (copy.state == State::Done && copy.written != copy.target && !PlaceWorkingCopy(copy.target, &copy.error))
        copy.state = State::Failed;
    copy.taken = true;
    return copy.error;
}

QString CWorkingCopyBatch::Finish()
{
    {
        const std::lock_guard lock(m_mutex);
        m_closing = true;
    }
    m_queued.notify_all();
    for (std::thread& thread : m_threads)
        thread.join();
    m_threads.clear();
    const std::lock_guard lock(m_mutex);
    m_closing = false;
    return m_flushFailure;
}

void CWorkingCopyBatch::Work(bool waitForMore)
{
    for (size_t index = 0; Next(index, waitForMore);)
        Write(index);
}

// False once the batch stops, or closes (or, not waiting, is found) with nothing left to write.
bool CWorkingCopyBatch::Next(size_t& index, bool waitForMore)
{
    std::unique_lock lock(m_mutex);
    if (waitForMore)
        m_queued.wait(lock, [this] { return m_stopping || m_closing || !m_pending.empty(); });
    if (m_stopping || m_pending.empty())
        return false;
    index = m_pending.front();
    m_pending.pop_front();
    return true;
}

// The bytes, then their flush on the same descriptor: a copy is closed before the caller takes it.
void CWorkingCopyBatch::Write(size_t index)
{
    QString source, target;
    WorkingCopyWrite write;
    WorkingCopyEnds ends;
    {
        const std::lock_guard lock(m_mutex);
        source = m_copies[index].source;
        target = m_copies[index].target;
        write = m_copies[index].write;
        ends = m_copies[index].ends;
    }
    QString error;
    const bool written = FillWorkingCopy(source, target, write, ends, &error);
    ::close(ends.from);
    if (!written) {
        ::close(ends.to);
        return Settle(index, State::Failed, error);
    }
    const bool synced = SyncDescriptor(ends.to);
    const int reason = errno;
    ::close(ends.to);
    Flushed(index, synced, reason);
}

// A copy in place that could not be flushed fails the batch (Finish); a temporary that could not
// be is removed and fails its own copy, so that it never takes the target's name.
void CWorkingCopyBatch::Flushed(size_t index, bool synced, int reason)
{
    if (synced)
        return Settle(index, State::Done, QString());
    QString written, target;
    {
        const std::lock_guard lock(m_mutex);
        written = m_copies[index].written;
        target = m_copies[index].target;
    }
    const QString failure =
        QStringLiteral("Cannot flush '%1' to disk: %2").arg(written, QString::fromLocal8Bit(std::strerror(reason)));
    if (written == target) {
        FailFlush(failure);
        return Settle(index, State::Done, QString());
    }
    QFile::remove(written); // our own new file; the registry is not for this thread
    Settle(index, State::Failed, failure);
}

void CWorkingCopyBatch::Settle(size_t index, State state, const QString& error)
{
    {
        const std::lock_guard lock(m_mutex);
        m_copies[index].state = state;
        m_copies[index].error = error;
    }
    m_settled.notify_all();
}

void CWorkingCopyBatch::FailFlush(const QString& text)
{
    const std::lock_guard lock(m_mutex);
    if (m_flushFailure.isEmpty())
        m_flushFailure = text;
}
