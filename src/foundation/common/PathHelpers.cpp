#include "foundation/common/PathHelpers.h"

#include <QDir>
#include <QFileInfo>

QString WithSlash(const QString& folder)
{
    return folder.isEmpty() || folder.endsWith(QLatin1Char('/')) ? folder : folder + QLatin1Char('/');
}

bool FileExists(const QString& path)
{
    return !path.isEmpty() && QFileInfo::exists(path);
}

bool IsDirectory(const QString& path)
{
    return !path.isEmpty() && QFileInfo(path).isDir();
}

QString GetFileNameFromPath(const QString& path, bool removeExtension)
{
    const qsizetype separator = qMax(path.lastIndexOf(QLatin1Char('/')), path.lastIndexOf(QLatin1Char('\\')));
    QString name = path.mid(separator + 1);
    if (removeExtension) {
        const qsizetype point = name.lastIndexOf(QLatin1Char('.'));
        if (point >= 0)
            name.truncate(point);
    }
    return name;
}

QString FindFileNoCase(const QString& folder, const QString& fileName)
{
    if (fileName.isEmpty() || fileName.contains(QLatin1Char('/')))
        return QString();
    const QDir dir(folder);
    if (QFileInfo::exists(dir.filePath(fileName)))
        return dir.filePath(fileName);
    const auto filters = QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot;
    for (const QString& entry : dir.entryList(filters, QDir::Name)) {
        if (entry.compare(fileName, Qt::CaseInsensitive) == 0)
            return dir.filePath(entry);
    }
    return QString();
}

bool IsResolvedBelow(const QString& folder, const QString& root)
{
    const QString resolved = QFileInfo(folder).canonicalFilePath();
    const QString resolvedRoot = QFileInfo(root).canonicalFilePath();
    return !resolved.isEmpty() && !resolvedRoot.isEmpty() && resolved.startsWith(WithSlash(resolvedRoot)) &&
           resolved.size() > WithSlash(resolvedRoot).size();
}
