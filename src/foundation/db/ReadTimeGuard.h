#pragma once
// Bounds the time reads of a file this program did not just write may take. While the guard
// lives, a statement on the database that runs past the deadline is interrupted (SQLite's progress
// handler) and fails like any other read; Expired() then tells the caller why.

#include <QDeadlineTimer>

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
    QDeadlineTimer m_deadline;
    bool m_interrupted = false;
};
