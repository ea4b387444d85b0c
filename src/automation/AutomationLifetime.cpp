#include "automation/AutomationLifetime.h"

CAutomationLifetime::CAutomationLifetime(std::function<void()> close, std::function<bool()> modelExists)
    : m_close(std::move(close)), m_modelExists(std::move(modelExists))
{
}

void CAutomationLifetime::PeerCalled(const QString& peer)
{
    m_closeQueued = false; // a refused close may be asked for again
    if (m_peers.contains(peer))
        return;
    m_peers.insert(peer);
    m_userControl = true;
}

void CAutomationLifetime::PeerLeft(const QString& peer)
{
    if (m_peers.remove(peer))
        CloseIfUnlocked();
}

void CAutomationLifetime::SetUserControl(bool userControl)
{
    m_userControl = userControl;
}

int CAutomationLifetime::LockCount() const
{
    return int(m_peers.size()) + (m_modelExists && m_modelExists() ? 1 : 0);
}

bool CAutomationLifetime::CloseIfUnlocked()
{
    if (m_userControl || LockCount() > 0 || m_closeQueued)
        return false;
    m_closeQueued = true;
    if (m_close)
        m_close();
    return true;
}
