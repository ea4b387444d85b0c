#include "foundation/db/CanonicalPaths.h"

#include <QFile>
#include <QFileInfo>

#include <sys/stat.h>

namespace {
thread_local CanonicalFolderScope* currentScope = nullptr;

QString Resolved(const QString& path)
{
    return QFileInfo(path).canonicalFilePath();
}
} // namespace

CanonicalFolderScope::CanonicalFolderScope() : m_outer(currentScope)
{
    currentScope = this;
}

CanonicalFolderScope::~CanonicalFolderScope()
{
    currentScope = m_outer;
}

QString CanonicalFolderScope::Folder(const QString& absoluteFolder)
{
    const auto found = m_folders.constFind(absoluteFolder);
    if (found != m_folders.cend())
        return *found;
    const QString canonical = Resolved(absoluteFolder);
    // Only a folder that resolves is kept: one that appears later is looked at again.
    if (!canonical.isEmpty())
        m_folders.insert(absoluteFolder, canonical);
    return canonical;
}

QString CanonicalFolderOf(const QString& path)
{
    const QString folder = QFileInfo(path).absolutePath();
    return currentScope ? currentScope->Folder(folder) : Resolved(folder);
}

QString CanonicalFilePath(const QString& path)
{
    const QFileInfo info(path);
    const QString name = info.fileName();
    if (!currentScope || name.isEmpty() || name == QLatin1String(".") || name == QLatin1String(".."))
        return info.canonicalFilePath();
    struct stat status {};
    if (::lstat(QFile::encodeName(path).constData(), &status) != 0)
        return QString();
    if (S_ISLNK(status.st_mode))
        return info.canonicalFilePath();
    const QString folder = currentScope->Folder(info.absolutePath());
    if (folder.isEmpty())
        return info.canonicalFilePath();
    return folder.endsWith(QLatin1Char('/')) ? folder + name : folder + QLatin1Char('/') + name;
}
