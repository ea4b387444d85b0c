#include "ProjectSession.h"

#include "foundation/common/AppContext.h"

#include <QFileInfo>

bool CProjectSession::Open(const QString& projectFilePath)
{
    ProjectFileSet& files = GetAppContext()->fileSet();
    files.projectFilePath = QFileInfo(projectFilePath).absoluteFilePath();
    files.pathGiven = true;
    const bool opened = m_manager.OpenProjectFile(2, QString(), QString(), false);
    files.pathGiven = false;
    return opened;
}
