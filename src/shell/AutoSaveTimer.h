#pragma once
// Timer 2 of the main frame: saves an open, modified project that is not a template every few
// minutes (0 = off). While a modal dialog, an engine call or a transaction is active it skips the
// save and waits for the next turn.

#include <QObject>
#include <QTimer>

#include <functional>

class CAutoSaveTimer : public QObject {
    Q_OBJECT
public:
    struct Hooks {
        std::function<bool()> isProjectOpen;
        std::function<bool()> isProjectModified;
        std::function<bool()> isTemplate;
        std::function<bool()> isBusy; // engine call or database transaction under way
        std::function<void()> save;
    };

    explicit CAutoSaveTimer(QObject* parent = nullptr);

    static int ClampMinutes(int minutes);
    void SetMinutes(int minutes); // clamped to 0..120; re-arms a running timer
    int Minutes() const { return m_minutes; }
    void SetHooks(Hooks hooks) { m_hooks = std::move(hooks); }

    void Arm(); // runs minutes x 60000 ms; stays off at 0
    void Stop();
    bool IsArmed() const { return m_timer.isActive(); }
    int IntervalMs() const { return m_timer.interval(); }

public slots:
    void OnTimer();

private:
    bool isBusy() const;
    bool shouldSave() const;

    QTimer m_timer;
    int m_minutes = 0;
    Hooks m_hooks;
};
