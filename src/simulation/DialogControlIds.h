#pragma once
// A dialog's controls by their resource ids: each takes "ctl<id>" as its object name, so the
// dialog's code and tests find it by the id.

#include <QComboBox>
#include <QHash>
#include <QLineEdit>
#include <QList>
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
    // Of the inputs, those in enabled are enabled; the others are emptied and disabled.
    void EnableOnly(const QList<int>& inputs, const QList<int>& enabled) const
    {
        for (int id : inputs) {
            QWidget* input = Get(id);
            input->setEnabled(enabled.contains(id));
            if (enabled.contains(id))
                continue;
            if (auto* edit = qobject_cast<QLineEdit*>(input))
                edit->clear();
            else if (auto* combo = qobject_cast<QComboBox*>(input))
                combo->setCurrentIndex(-1);
        }
    }

private:
    QHash<int, QWidget*> m_controls;
};
