#include "ProjectSession.h"

#include <QFileInfo>

bool CProjectSession::Open(const QString& projectFilePath)
{
    return m_manager.OpenProjectByPath(QFileInfo(projectFilePath).absoluteFilePath());
}
