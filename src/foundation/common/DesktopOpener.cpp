#include "foundation/common/DesktopOpener.h"

#include "foundation/common/ServiceSlot.h"

#include <QDesktopServices>
#include <QUrl>

bool OpenOnDesktop(const QString& path)
{
    if (DesktopOpener* opener = ServiceSlot<DesktopOpener>::Get())
        return opener->OpenDocument(path);
    return QDesktopServices::openUrl(QUrl::fromLocalFile(path));
}
