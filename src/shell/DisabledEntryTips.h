#pragma once
// Shows the status tip of a disabled menu entry under the mouse. A menu tells the status bar
// nothing of an entry the user cannot choose, yet such an entry's tip says why it cannot be chosen.

#include <QObject>

class QMenu;
class QStatusBar;

class CDisabledEntryTips : public QObject {
public:
    CDisabledEntryTips(QStatusBar* bar, QObject* parent);
    void Watch(QMenu* menu);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QStatusBar* m_bar;
};
