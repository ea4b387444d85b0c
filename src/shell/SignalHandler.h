#pragma once
// SIGTERM, SIGHUP and SIGINT turned into a request that the event loop serves. The signal handler
// only writes the signal's number into a pipe; a socket notifier reads it. The request is served
// from the main loop alone, when nothing is under way: no nested loop (a modal dialog, a question
// inside an open, save or close), no transaction or engine call (IsBusy), nothing a wait check
// reports. Until then it waits and is looked at again; a signal that arrived before the main loop
// started is served when it starts. It is served once: the program is ending then.

#include <QObject>
#include <QTimer>

#include <functional>
#include <memory>
#include <vector>

class QSocketNotifier;

class CSignalHandler : public QObject {
    Q_OBJECT
public:
    // Installs the handlers of the three signals; call first thing in main. False on failure.
    static bool InstallHandlers();
    // What the installed handler does: queue the signal for the event loop (async-signal-safe).
    static void Request(int signal);

    explicit CSignalHandler(std::function<void(int signal)> serve);
    ~CSignalHandler() override;
    CSignalHandler(const CSignalHandler&) = delete;
    CSignalHandler& operator=(const CSignalHandler&) = delete;

    // A further reason to wait while it answers true: the automation service adds "a call is
    // being served" here.
    void AddWaitCheck(std::function<bool()> mustWait) { m_waitChecks.push_back(std::move(mustWait)); }
    // The loop entered next is the main loop; call right before exec().
    void StartWithEventLoop();
    bool IsPending() const { return m_pendingSignal != 0; }

private:
    void readRequests();
    void serveWhenIdle();
    bool mustWait() const;

    std::function<void(int)> m_serve;
    std::vector<std::function<bool()>> m_waitChecks;
    std::unique_ptr<QSocketNotifier> m_notifier;
    QTimer m_retry; // looks at a waiting request again
    int m_mainLoopLevel = -1;
    int m_pendingSignal = 0;
    bool m_served = false;
};
