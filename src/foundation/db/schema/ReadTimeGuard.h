#pragma once
// Bounds the time reads of a file this program did not just write may take. While the guard
// lives, a statement on the database that runs past the deadline is interrupted and fails like any
// other read; Expired() then tells the caller why. The deadline is looked at every so many engine
// steps, and a watchdog thread interrupts the statement at the deadline itself, so that rows each
// costly to compute cannot hold the read between two looks. The engine takes an interruption only
// between two rows, so the guard also bounds the length of a value a statement may build (far
// above any the program writes), and with it the work and memory of one computed value.

#include <atomic>
#include <chrono>

class CDaoDatabase;
struct sqlite3;

class CReadTimeGuard {
public:
    static constexpr int DEFAULT_MILLISECONDS = 3000;

    explicit CReadTimeGuard(CDaoDatabase& database, int milliseconds = DEFAULT_MILLISECONDS);
    ~CReadTimeGuard();
    CReadTimeGuard(const CReadTimeGuard&) = delete;
    CReadTimeGuard& operator=(const CReadTimeGuard&) = delete;

    bool Expired() const { return m_interrupted; }

private:
    static int Check(void* guard);

    sqlite3* m_engine = nullptr;
    int m_previousLongest = 0;
    std::chrono::steady_clock::time_point m_deadline;
    std::atomic<bool> m_interrupted = false;
};
