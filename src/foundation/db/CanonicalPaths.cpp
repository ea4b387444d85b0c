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

// The folder and name of an absolute path without empty, "." or ".." parts; false for any other.
bool SplitPlainPath(const QString& path, QString& folder, QString& name)
{
    if (!path.startsWith(QLatin1Char('/')) || path.contains(QLatin1String("//")) ||
        path.contains(QLatin1String("/./")) || path.contains(QLatin1String("/../")))
        return false;
    const qsizetype slash = path.lastIndexOf(QLatin1Char('/'));
    name = path.mid(slash + 1);
    if (name.isEmpty() || name == QLatin1String(".") || name == QLatin1String(".."))
        return false;
    folder = slash == 0 ? QStringLiteral("/") : path.left(slash);
    return true;
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
    QString folder, name;
    if (!currentScope || !SplitPlainPath(path, folder, name))
        folder = QFileInfo(path).absolutePath();
    return currentScope ? currentScope->Folder(folder) : Resolved(folder);
}

QString CanonicalFilePath(const QString& path)
{
    QString folder, name;
    if (!currentScope || !SplitPlainPath(path, folder, name))
        return Resolved(path);
    struct stat status {};
    if (::lstat(QFile::encodeName(path).constData(), &status) != 0)
        return QString();
    if (S_ISLNK(status.st_mode))
        return Resolved(path);
    folder = currentScope->Folder(folder);
    if (folder.isEmpty())
        return Resolved(path);
    return folder.endsWith(QLatin1Char('/')) ? folder + name : folder + QLatin1Char('/') + name;
}
