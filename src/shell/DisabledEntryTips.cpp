#include "shell/DisabledEntryTips.h"

#include <QMenu>
#include <QMouseEvent>
#include <QPointer>
#include <QStatusBar>

CDisabledEntryTips::CDisabledEntryTips(QStatusBar* bar, QObject* parent) : QObject(parent), m_bar(bar) {}

void CDisabledEntryTips::Watch(QMenu* menu)
{
    menu->installEventFilter(this);
}

bool CDisabledEntryTips::eventFilter(QObject* watched, QEvent* event)
{
    auto* menu = qobject_cast<QMenu*>(watched);
    if (!menu || event->type() != QEvent::MouseMove)
        return false;
    const QAction* entry = menu->actionAt(static_cast<QMouseEvent*>(event)->position().toPoint());
    if (!entry || entry->isEnabled() || entry->statusTip().isEmpty())
        return false;
    // Shown once the menu has handled the move: leaving the entry before clears the bar.
    QMetaObject::invokeMethod(
        this, [bar = QPointer<QStatusBar>(m_bar), tip = entry->statusTip()] {
            if (bar)
                bar->showMessage(tip);
        },
        Qt::QueuedConnection);
    return false;
}
