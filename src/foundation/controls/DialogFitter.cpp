#include "foundation/controls/DialogFitter.h"

#include <QDialog>
#include <QEvent>
#include <QFontMetrics>
#include <QScreen>

int CDialogFitter::TitleWidth(const QDialog& dialog)
{
    QFont font = dialog.font();
    font.setBold(true); // title bars often draw the title bold
    return QFontMetrics(font).horizontalAdvance(dialog.windowTitle()) + TITLE_BAR_ROOM;
}

void CDialogFitter::FitTitle(QDialog& dialog)
{
    int wanted = TitleWidth(dialog);
    if (const QScreen* screen = dialog.screen())
        wanted = std::min(wanted, screen->availableGeometry().width());
    if (dialog.width() < wanted && dialog.maximumWidth() >= wanted)
        dialog.resize(wanted, dialog.height());
}

bool CDialogFitter::eventFilter(QObject* watched, QEvent* event)
{
    const QEvent::Type type = event->type();
    if (type == QEvent::Show || type == QEvent::WindowTitleChange) {
        auto* dialog = qobject_cast<QDialog*>(watched);
        if (dialog && dialog->isWindow() && dialog->isVisible())
            FitTitle(*dialog);
    }
    return QObject::eventFilter(watched, event);
}
