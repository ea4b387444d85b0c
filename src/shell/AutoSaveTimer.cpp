#include "shell/AutoSaveTimer.h"

#include "shell/ShellConstants.h"

#include <QApplication>

CAutoSaveTimer::CAutoSaveTimer(QObject* parent) : QObject(parent)
{
    m_timer.setObjectName(QStringLiteral("AutoSaveTimer"));
    connect(&m_timer, &QTimer::timeout, this, &CAutoSaveTimer::OnTimer);
}

int CAutoSaveTimer::ClampMinutes(int minutes) { return qBound(0, minutes, MAX_AUTO_SAVE_MINUTES); }

void CAutoSaveTimer::SetMinutes(int minutes)
{
    m_minutes = ClampMinutes(minutes);
    if (m_timer.isActive() || m_minutes == 0)
        Arm();
}

void CAutoSaveTimer::Arm()
{
    m_timer.stop();
    if (m_minutes > 0)
        m_timer.start(m_minutes * 60000);
}

void CAutoSaveTimer::Stop() { m_timer.stop(); }

void CAutoSaveTimer::OnTimer()
{
    if (isBusy()) {
        Arm();
        return;
    }
    m_timer.stop();
    if (shouldSave() && m_hooks.save)
        m_hooks.save();
    Arm();
}

bool CAutoSaveTimer::isBusy() const
{
    return QApplication::activeModalWidget() != nullptr || (m_hooks.isBusy && m_hooks.isBusy());
}

bool CAutoSaveTimer::shouldSave() const
{
    const auto yes = [](const std::function<bool()>& f) { return f && f(); };
    return yes(m_hooks.isProjectOpen) && yes(m_hooks.isProjectModified) && !yes(m_hooks.isTemplate);
}
