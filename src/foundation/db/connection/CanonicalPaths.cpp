#include "foundation/db/connection/CanonicalPaths.h"

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
    if (!path.startsWith(u'/'))
        return false;
    const QStringView view(path);
    qsizetype partStart = 1;
    for (qsizetype i = 1; i <= view.size(); ++i) {
        if (i < view.size() && view[i] != u'/')
            continue;
        const QStringView part = view.sliced(partStart, i - partStart);
        if (part.isEmpty() || part == u"." || part == u"..")
            return false;
        partStart = i + 1;
    }
    const qsizetype slash = view.lastIndexOf(u'/');
    name = path.sliced(slash + 1);
    folder = slash == 0 ? QStringLiteral("/") : path.first(slash);
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
