#include "modules/customreport/ReportThreads.h"

#include <condition_variable>
#include <mutex>
#include <thread>

namespace {
struct RunningThreads {
    std::mutex lock;
    std::condition_variable ended;
    int count = 0;
};

// Never destroyed: a thread still running when the program ends counts itself out after static
// destruction has begun.
RunningThreads& Running()
{
    static auto* running = new RunningThreads;
    return *running;
}

void CountOut()
{
    RunningThreads& running = Running();
    {
        const std::lock_guard hold(running.lock);
        --running.count;
    }
    running.ended.notify_all();
}
} // namespace

void StartReportThread(std::function<void()> work)
{
    {
        const std::lock_guard hold(Running().lock);
        ++Running().count;
    }
    try {
        std::thread([work = std::move(work)]() mutable {
            work();
            work = nullptr; // what it holds (a connection) is released before the thread counts out
            CountOut();
        }).detach();
    } catch (...) {
        CountOut();
        throw;
    }
}

bool WaitForReportThreads(std::chrono::milliseconds limit)
{
    RunningThreads& running = Running();
    std::unique_lock hold(running.lock);
    return running.ended.wait_for(hold, limit, [&running] { return running.count == 0; });
}
