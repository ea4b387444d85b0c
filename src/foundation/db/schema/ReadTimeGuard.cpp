#include "foundation/db/schema/ReadTimeGuard.h"

#include "foundation/db/connection/DaoDatabase.h"

#include <QSqlDriver>
#include <sqlite3.h>

#include <algorithm>
#include <condition_variable>
#include <mutex>
#include <thread>
#include <vector>

namespace {
using ReadGuardClock = std::chrono::steady_clock;

// Virtual-machine steps between two looks at the clock: a few microseconds of work.
constexpr int STEPS_BETWEEN_CHECKS = 1000;

// The longest text or blob a guarded statement may build or read.
constexpr int GUARDED_LONGEST_VALUE = 1 << 20;

// One thread serves every guard: at a guard's deadline it marks the guard expired and interrupts
// the guarded connection, which stops the statement running at its next row (the engine takes
// the interruption from any thread). A guard is disarmed before its connection can close.
class ReadGuardWatchdog {
public:
    // Made once and never destroyed: neither the program's exit nor a forked child waits for it.
    static ReadGuardWatchdog& Get()
    {
        static ReadGuardWatchdog* const watchdog = new ReadGuardWatchdog;
        return *watchdog;
    }

    void Arm(const void* owner, ReadGuardClock::time_point deadline, sqlite3* engine, std::atomic<bool>* expired)
    {
        {
            const std::lock_guard lock(m_lock);
            m_armed.push_back({owner, deadline, engine, expired});
        }
        m_changed.notify_one();
    }

    // Once this returns, the owner's connection is not interrupted any more.
    void Disarm(const void* owner)
    {
        const std::lock_guard lock(m_lock);
        std::erase_if(m_armed, [owner](const Armed& armed) { return armed.owner == owner; });
    }

private:
    struct Armed {
        const void* owner;
        ReadGuardClock::time_point deadline;
        sqlite3* engine;
        std::atomic<bool>* expired;
    };

    ReadGuardWatchdog() { std::thread([this] { Watch(); }).detach(); }

    void Watch()
    {
        std::unique_lock lock(m_lock);
        for (;;) {
            if (m_armed.empty()) {
                m_changed.wait(lock);
                continue;
            }
            const auto earliest = std::ranges::min_element(m_armed, {}, &Armed::deadline);
            if (ReadGuardClock::now() < earliest->deadline) {
                m_changed.wait_until(lock, earliest->deadline);
                continue;
            }
            *earliest->expired = true;
            sqlite3_interrupt(earliest->engine);
            m_armed.erase(earliest);
        }
    }

    std::mutex m_lock;
    std::condition_variable m_changed;
    std::vector<Armed> m_armed;
};
} // namespace

CReadTimeGuard::CReadTimeGuard(CDaoDatabase& database, int milliseconds)
    : m_deadline(ReadGuardClock::now() + std::chrono::milliseconds(milliseconds))
{
    const QSqlDatabase handle = database.Connection().database();
    const QVariant engine = handle.driver() ? handle.driver()->handle() : QVariant();
    if (engine.isValid() && qstrcmp(engine.typeName(), "sqlite3*") == 0)
        m_engine = *static_cast<sqlite3* const*>(engine.constData());
    if (!m_engine)
        return;
    m_previousLongest = sqlite3_limit(m_engine, SQLITE_LIMIT_LENGTH, GUARDED_LONGEST_VALUE);
    sqlite3_progress_handler(m_engine, STEPS_BETWEEN_CHECKS, &CReadTimeGuard::Check, this);
    ReadGuardWatchdog::Get().Arm(this, m_deadline, m_engine, &m_interrupted);
}

CReadTimeGuard::~CReadTimeGuard()
{
    if (!m_engine)
        return;
    ReadGuardWatchdog::Get().Disarm(this);
    sqlite3_progress_handler(m_engine, 0, nullptr, nullptr);
    sqlite3_limit(m_engine, SQLITE_LIMIT_LENGTH, m_previousLongest);
}

// Also stops any statement started after the watchdog's interruption, which the engine forgets
// once no statement runs.
int CReadTimeGuard::Check(void* guard)
{
    auto* self = static_cast<CReadTimeGuard*>(guard);
    if (!self->m_interrupted && ReadGuardClock::now() >= self->m_deadline)
        self->m_interrupted = true;
    return self->m_interrupted ? 1 : 0;
}
