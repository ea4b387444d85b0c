#include "modules/ravelstock/ProjectWorkingCopy.h"

#include "foundation/db/connection/DaoDatabase.h"
#include "foundation/db/connection/DaoException.h"
#include "modules/ravelstock/LibraryComponentError.h"

#include <QFileInfo>

bool OpenProjectWorkingCopy(CDaoDatabase& project, const QString& path)
{
    if (path.isEmpty() || !QFileInfo(path).isFile())
        return false;
    try {
        project.Open(path, DatabaseRole::WorkingCopy);
        return true;
    } catch (const CDaoException&) {
        return false;
    }
}

CDaoDatabase& RequireProjectWorkingCopy(CDaoDatabase& project)
{
    if (!project.IsOpen())
        throw CLibraryComponentError(QStringLiteral("No project database was set."));
    return project;
}
