#include "projects/TemplateFolders.h"

#include "foundation/common/PathHelpers.h"
#include "foundation/common/concerns/AppContext.h"

#include <QDir>
#include <QFileInfo>

namespace {
QString MadeOrInstallDir(const QString& folder)
{
    if (!folder.isEmpty() && QDir().mkpath(folder) && QFileInfo(folder).isDir())
        return WithSlash(folder);
    return GetInstallDir();
}
} // namespace

QString GetStandardTemplateDir()
{
    PathProvider* paths = GetAppContext() ? GetAppContext()->paths() : nullptr;
    return MadeOrInstallDir(paths ? paths->standardTemplateDir() : QString());
}

QString GetUserTemplateDir()
{
    PathProvider* paths = GetAppContext() ? GetAppContext()->paths() : nullptr;
    return MadeOrInstallDir(paths ? paths->userTemplateDir() : QString());
}
