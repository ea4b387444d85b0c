#pragma once
// A long piece of work the user can stop: while it runs a window says what runs and offers Cancel.
// The work itself keeps the window responsive by asking Cancelled() now and then. The program
// shows an application-modal progress dialog (none under automation, where nobody could click);
// tests install a scripted one through ServiceSlot<CancellableProgress>.

#include <QString>

class CancellableProgress {
public:
    virtual ~CancellableProgress() = default;
    virtual void Begin(const QString& text) = 0;
    // Lets the window repaint and take a click; true once the user asked to stop.
    virtual bool Cancelled() = 0;
    virtual void End() = 0;
};

// The installed one, else the program's dialog.
CancellableProgress* GetCancellableProgress();

// Begin at construction, End at destruction.
class CancellableProgressScope {
public:
    explicit CancellableProgressScope(const QString& text) : m_progress(GetCancellableProgress())
    {
        m_progress->Begin(text);
    }
    ~CancellableProgressScope() { m_progress->End(); }
    CancellableProgressScope(const CancellableProgressScope&) = delete;
    CancellableProgressScope& operator=(const CancellableProgressScope&) = delete;
    bool Cancelled() { return m_progress->Cancelled(); }

private:
    CancellableProgress* m_progress;
};
