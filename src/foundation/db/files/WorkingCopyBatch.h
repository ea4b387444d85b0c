#pragma once
// Working copies of many databases. The layer's checks and the file's creation run on the caller's
// thread when a copy is added (creations in one folder wait for each other anyway); its bytes are
// written and flushed on a few threads while the caller takes the copies already written. How a copy
// is written (WorkingCopyWrite):
//   IntoUnclaimedFolder: in place, into a folder no in-use marker names yet. A copy is durable only
//   once Finish has answered ""; the caller flushes the folder after that.
//   Replace, ReplaceForWrites: through a temporary beside the target, flushed, and renamed over the
//   target when the caller takes it (a copy whose flush failed is not taken); the caller flushes
//   the folder once it has taken them all.
// A copy never taken is deleted when the batch ends, so that work which stops half-way leaves
// nothing of the copies it had not reached.

#include "foundation/db/files/DatabaseFiles.h"

#include <QString>

#include <condition_variable>
#include <deque>
#include <mutex>
#include <thread>
#include <vector>

class CWorkingCopyBatch {
public:
    CWorkingCopyBatch() = default;
    ~CWorkingCopyBatch();
    CWorkingCopyBatch(const CWorkingCopyBatch&) = delete;
    CWorkingCopyBatch& operator=(const CWorkingCopyBatch&) = delete;

    // Copies are numbered from 0 in the order they are added: the copy's number.
    int Add(const QString& source, const QString& target,
             WorkingCopyWrite write = WorkingCopyWrite::IntoUnclaimedFolder);
    // Waits until the copy is written and flushed (and in place): "" then, else why it is not (and
    // nothing of it is left). From here the copy is the caller's.
    QString Take(int index);
    // Waits for every copy: "" when each flush succeeded, else the first failure's description.
    QString Finish();

private:
    enum class State { Queued, Done, Failed };
    struct Copy {
        QString source;
        QString target;
        WorkingCopyWrite write;
        QString written; // the file being written: the target, or a temporary put in place when taken
        WorkingCopyEnds ends; // open from Add until the copy is written
        State state = State::Queued;
        QString error;
        bool taken = false;
    };

    void StartThread();
    void Work(bool waitForMore);
    bool Next(size_t& index, bool waitForMore);
    void Write(size_t index);
    void Flushed(size_t index, bool synced, int reason);
    void Settle(size_t index, State state, const QString& error);
    void FailFlush(const QString& text);

    std::mutex m_mutex;
    std::condition_variable m_queued;
    std::condition_variable m_settled;
    std::deque<Copy> m_copies;
    std::deque<size_t> m_pending; // copies whose bytes no thread has taken up
    std::vector<std::thread> m_threads;
    bool m_closing = false;  // Finish: the threads end once every copy is written
    bool m_stopping = false; // the end: copies not taken up are not written
    QString m_flushFailure;
};
