#pragma once
// Flushes files to disk on a few threads while the caller goes on writing others. A batch of new
// files becomes durable in far fewer waits for the disk than one flush after another, since the
// file system commits flushes that wait together at once. A file is durable only once Finish has
// answered ""; the caller flushes the files' folder after that. While the layer skips its flushes
// (DiskSyncs.h) nothing is queued and no thread starts.

#include <QString>

#include <condition_variable>
#include <deque>
#include <mutex>
#include <thread>
#include <vector>

class CFileSyncQueue {
public:
    CFileSyncQueue() = default;
    ~CFileSyncQueue(); // waits for the flushes under way
    CFileSyncQueue(const CFileSyncQueue&) = delete;
    CFileSyncQueue& operator=(const CFileSyncQueue&) = delete;

    void Add(const QString& path);
    // Waits for every flush: "" when each succeeded, else the first failure's description.
    QString Finish();

private:
    bool StartThread();
    void Work();
    bool Take(QString& path);
    void Fail(const QString& text);

    std::mutex m_mutex;
    std::condition_variable m_queued;
    std::deque<QString> m_pending;
    std::vector<std::thread> m_threads;
    bool m_closed = false;
    QString m_failure;
};
