#include "foundation/controls/MyComboBox.h"

#include <QDateTime>
#include <QKeyEvent>

namespace {
constexpr qint64 TYPE_AHEAD_PAUSE_MS = 1000;
}

CMyComboBox::CMyComboBox(QWidget* parent) : QComboBox(parent)
{
    setInsertPolicy(QComboBox::NoInsert);
}

int CMyComboBox::AddString(const QString& text)
{
    addItem(text);
    return count() - 1;
}

int CMyComboBox::FindString(int after, const QString& prefix) const
{
    for (int i = after + 1; i < count(); ++i)
        if (itemText(i).startsWith(prefix, Qt::CaseInsensitive))
            return i;
    return -1;
}

int CMyComboBox::FindStringExact(int after, const QString& text) const
{
    for (int i = after + 1; i < count(); ++i)
        if (itemText(i).compare(text, Qt::CaseInsensitive) == 0)
            return i;
    return -1;
}

int CMyComboBox::SelectString(int after, const QString& prefix)
{
    const int found = FindString(after, prefix);
    if (found >= 0)
        setCurrentIndex(found);
    return found;
}

void CMyComboBox::keyPressEvent(QKeyEvent* event)
{
    const QString text = event->text();
    if (isEditable() || text.isEmpty() || !text.at(0).isPrint()) {
        QComboBox::keyPressEvent(event);
        return;
    }
    const qint64 now = QDateTime::currentMSecsSinceEpoch();
    if (now - m_lastKeyTime > TYPE_AHEAD_PAUSE_MS)
        m_typed.clear();
    m_lastKeyTime = now;
    m_typed += text;
    if (SelectString(-1, m_typed) < 0 && m_typed.size() > 1) {
        m_typed = text; // start over with the last key
        SelectString(-1, m_typed);
    }
    event->accept();
}
