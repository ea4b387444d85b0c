#pragma once
// How long a program started for scripting stays: one lock for each bus peer that called it,
// until that peer leaves the bus, and one for the object tree while it exists. When the count
// reaches zero and the user does not control the program, it closes (the close asks and ends
// as the user's close would).

#include <QSet>
#include <QString>

#include <functional>

class CAutomationLifetime {
public:
    // close: queues the main window's close; modelExists: whether the object tree is built.
    CAutomationLifetime(std::function<void()> close, std::function<bool()> modelExists);

    // A peer's call: its first one gives the user control, as a new client's root object does.
    void PeerCalled(const QString& peer);
    void PeerLeft(const QString& peer);
    bool HasPeer(const QString& peer) const { return m_peers.contains(peer); }
    void SetUserControl(bool userControl);
    bool UserControl() const { return m_userControl; }
    int LockCount() const;
    // Closes the program when nothing holds it any more; true when it queued the close.
    bool CloseIfUnlocked();

private:
    std::function<void()> m_close;
    std::function<bool()> m_modelExists;
    QSet<QString> m_peers;
    bool m_userControl = false;
    bool m_closeQueued = false;
};
