#include "shell/DesktopHelp.h"

#include "foundation/common/MessageBox.h"
#include "foundation/common/concerns/AppContext.h"

#include <QDesktopServices>
#include <QFileInfo>
#include <QUrl>

void CDesktopHelp::DisplayHelp(const QString& helpFile, long topic)
{
    const QString page = HelpTopicPage(m_paths ? m_paths->installDir() : QString(), helpFile, topic);
    if (!QFileInfo::exists(page)) {
        QvMessageBox(QStringLiteral("The help page \"%1\" is not installed.").arg(page), MB_ICONINFORMATION);
        return;
    }
    QDesktopServices::openUrl(QUrl::fromLocalFile(page));
}
