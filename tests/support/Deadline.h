#pragma once
// A call that may hang for good (an open on a named pipe) is run under a deadline: past it the test
// program ends with the call named, so that a regression fails instead of holding the run.

#include <chrono>
#include <condition_variable>
#include <cstdio>
#include <cstdlib>
#include <mutex>
#include <string>
#include <thread>
#include <utility>

class Deadline {
public:
    Deadline(std::chrono::seconds limit, std::string what)
        : m_what(std::move(what)), m_watch([this, limit] { Watch(limit); })
    {
    }
    ~Deadline()
    {
        {
            const std::lock_guard<std::mutex> lock(m_mutex);
            m_done = true;
        }
        m_changed.notify_one();
        m_watch.join();
    }
    Deadline(const Deadline&) = delete;
    Deadline& operator=(const Deadline&) = delete;

private:
    void Watch(std::chrono::seconds limit)
    {
        std::unique_lock<std::mutex> lock(m_mutex);
        if (m_changed.wait_for(lock, limit, [this] { return m_done; }))
            return;
        std::fprintf(stderr, "Still waiting after %lld s: %s\n", static_cast<long long>(limit.count()),
                     m_what.c_str());
        std::fflush(stderr);
        std::_Exit(EXIT_FAILURE);
    }

    std::string m_what;
    std::mutex m_mutex;
    std::condition_variable m_changed;
    bool m_done = false;
    std::thread m_watch; // last: started once the rest is set
};
