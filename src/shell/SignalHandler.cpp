#include "shell/SignalHandler.h"

#include "foundation/common/BusyGuard.h"

#include <QApplication>
#include <QSocketNotifier>
#include <QThread>

#include <algorithm>
#include <cerrno>
#include <csignal>
#include <fcntl.h>
#include <unistd.h>
#include <utility>

namespace {
constexpr int RETRY_MS = 100;
constexpr int HANDLED_SIGNALS[] = {SIGTERM, SIGHUP, SIGINT};

// The self-pipe: [0] read by the event loop, [1] written by the signal handler. Made once, kept
// for the process's life.
int g_requestPipe[2] = {-1, -1};

bool MakeRequestPipe()
{
    return g_requestPipe[0] >= 0 || ::pipe2(g_requestPipe, O_NONBLOCK | O_CLOEXEC) == 0;
}

extern "C" void OnSignal(int signal)
{
    CSignalHandler::Request(signal);
}
} // namespace

bool CSignalHandler::InstallHandlers()
{
    if (!MakeRequestPipe())
        return false;
    struct sigaction action = {};
    action.sa_handler = OnSignal;
    action.sa_flags = SA_RESTART;
    sigemptyset(&action.sa_mask);
    return std::all_of(std::begin(HANDLED_SIGNALS), std::end(HANDLED_SIGNALS),
                       [&](int signal) { return ::sigaction(signal, &action, nullptr) == 0; });
}

void CSignalHandler::Request(int signal)
{
    const int savedErrno = errno;
    const char byte = char(signal);
    if (g_requestPipe[1] >= 0) {
        const ssize_t written = ::write(g_requestPipe[1], &byte, 1);
        Q_UNUSED(written); // a full pipe holds a request already
    }
    errno = savedErrno;
}

CSignalHandler::CSignalHandler(std::function<void(int signal)> serve) : m_serve(std::move(serve))
{
    m_retry.setInterval(RETRY_MS);
    connect(&m_retry, &QTimer::timeout, this, &CSignalHandler::serveWhenIdle);
    if (!MakeRequestPipe())
        return;
    m_notifier = std::make_unique<QSocketNotifier>(g_requestPipe[0], QSocketNotifier::Read);
    connect(m_notifier.get(), &QSocketNotifier::activated, this, &CSignalHandler::readRequests);
}

CSignalHandler::~CSignalHandler() = default;

void CSignalHandler::StartWithEventLoop()
{
    m_mainLoopLevel = QThread::currentThread()->loopLevel() + 1;
    QTimer::singleShot(0, this, &CSignalHandler::serveWhenIdle); // what came before it
}

void CSignalHandler::readRequests()
{
    char bytes[64];
    ssize_t count = 0;
    while ((count = ::read(g_requestPipe[0], bytes, sizeof bytes)) > 0) {
        if (m_pendingSignal == 0)
            m_pendingSignal = bytes[0];
    }
    serveWhenIdle();
}

void CSignalHandler::serveWhenIdle()
{
    if (m_pendingSignal == 0 || m_served) {
        m_retry.stop();
        return;
    }
    if (mustWait()) {
        m_retry.start();
        return;
    }
    m_retry.stop();
    m_served = true;
    const int signal = std::exchange(m_pendingSignal, 0);
    m_serve(signal);
}

bool CSignalHandler::mustWait() const
{
    if (m_mainLoopLevel < 0 || QThread::currentThread()->loopLevel() != m_mainLoopLevel)
        return true;
    if (QApplication::activeModalWidget() || IsBusy())
        return true;
    return std::any_of(m_waitChecks.begin(), m_waitChecks.end(), [](const auto& check) { return check(); });
}
