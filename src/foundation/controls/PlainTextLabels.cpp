#include "foundation/controls/PlainTextLabels.h"

#include <QEvent>
#include <QLabel>

bool CPlainTextLabels::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::Polish) {
        auto* label = qobject_cast<QLabel*>(watched);
        if (label && label->textFormat() == Qt::AutoText)
            label->setTextFormat(Qt::PlainText);
    }
    return false;
}
