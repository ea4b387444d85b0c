#pragma once
// The threads custom reports read on. The window stops waiting for one soon after the user's
// Cancel, whatever its statement does: a statement inside one long call of the engine, which no
// interruption reaches, runs on to its end on its private read-only connection, and its rows are
// dropped. The program waits for such threads at quit, a bounded time.

#include <chrono>
#include <functional>

// Runs work (which throws nothing) on a thread of its own, counted until it ends.
void StartReportThread(std::function<void()> work);

// Waits until no report thread runs, at most limit: whether none does.
bool WaitForReportThreads(std::chrono::milliseconds limit);
