#pragma once
// A dialog's controls by their resource ids: each takes "ctl<id>" as its object name, so the
// dialog's code and tests find it by the id.

#include <QHash>
#include <QWidget>

class DialogControlIds {
public:
    template <typename Widget> Widget* Add(int id, Widget* widget)
    {
        widget->setObjectName(QStringLiteral("ctl%1").arg(id));
        m_controls.insert(id, widget);
        return widget;
    }
    QWidget* Get(int id) const { return m_controls.value(id); }

private:
    QHash<int, QWidget*> m_controls;
};
