#pragma once
// Holds the auto-save timer (timer 2) stopped for its lifetime and re-arms it on every way out.
// Re-arming with an interval of 0 minutes starts nothing.

class CAutoSavePause {
public:
    CAutoSavePause();
    ~CAutoSavePause();
    CAutoSavePause(const CAutoSavePause&) = delete;
    CAutoSavePause& operator=(const CAutoSavePause&) = delete;
};
