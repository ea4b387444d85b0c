#include "projects/ProjectFolderChecks.h"

#include "foundation/common/MessageBox.h"
#include "foundation/common/PathHelpers.h"
#include "foundation/db/connection/DaoException.h"
#include "foundation/db/files/DatabaseFiles.h"
#include "projects/ProjectFileNames.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <algorithm>
#include <cerrno>
#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

namespace {
bool CreateAndRemoveProbe(const QString& folder)
{
    for (int counter = 0;; ++counter) {
        const QString probe = folder + QStringLiteral("/TemperaryFile(%1).txt").arg(counter);
        const QByteArray name = QFile::encodeName(probe);
        const int fd = ::open(name.constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0600);
        if (fd >= 0) {
            ::close(fd);
            ::unlink(name.constData());
            return true;
        }
        if (errno != EEXIST)
            return false;
    }
}

bool OpensForWriting(const QString& file)
{
    // O_NONBLOCK: a named pipe under the name answers at once instead of waiting for a reader.
    const int fd = ::open(QFile::encodeName(file).constData(), O_WRONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0)
        return false;
    ::close(fd);
    return true;
}

bool MarkerLockedByOther(const QString& marker)
{
    const int fd =
        ::open(QFile::encodeName(marker).constData(), O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0)
        return false;
    const bool locked = ::flock(fd, LOCK_SH | LOCK_NB) != 0;
    ::close(fd);
    return locked;
}

bool IsReplacedKind(const QString& fileName)
{
    static const QStringList extensions = {"prj", "stp", "wc",  "eqm", "ewc", "mtl",
                                           "mwc", "qvt", "eqt", "mtt", "save"};
    static const QStringList resultPrefixes = {"QVSTEP_", "QVPROC_", "QVPLAN_"};
    if (fileName.compare(COMPOUND_LOCATION_NAME, Qt::CaseInsensitive) == 0 ||
        fileName.endsWith(QStringLiteral(".save.rejected"), Qt::CaseInsensitive))
        return true;
    if (extensions.contains(QFileInfo(fileName).suffix(), Qt::CaseInsensitive))
        return true;
    return std::any_of(resultPrefixes.cbegin(), resultPrefixes.cend(), [&](const QString& prefix) {
        return fileName.startsWith(prefix, Qt::CaseInsensitive);
    });
}
} // namespace

bool PassesWriteTest(const QString& path)
{
    const QFileInfo info(path);
    return info.isDir() ? CreateAndRemoveProbe(WithoutSlash(path)) : OpensForWriting(path);
}

bool IsInUseElsewhere(const QString& folder, const QString& ownMarker)
{
    const QString marker = WithSlash(folder) + IN_USE_MARKER_NAME;
    if (!ownMarker.isEmpty() && QFileInfo(marker).absoluteFilePath() == QFileInfo(ownMarker).absoluteFilePath())
        return false;
    return QFileInfo::exists(marker) && MarkerLockedByOther(marker);
}

bool IsSameFolder(const QString& a, const QString& b)
{
    return !a.isEmpty() && !b.isEmpty() &&
           QDir::cleanPath(a).compare(QDir::cleanPath(b), Qt::CaseInsensitive) == 0;
}

bool IsAtOrBelow(const QString& folder, const QString& root)
{
    if (root.isEmpty() || folder.isEmpty())
        return false;
    const QString cleanRoot = WithSlash(QDir::cleanPath(root));
    return IsSameFolder(folder, root) || WithSlash(QDir::cleanPath(folder)).startsWith(cleanRoot, Qt::CaseInsensitive);
}

bool HoldsProjectFile(const QString& folder)
{
    return !QDir(folder).entryList({QStringLiteral("*.prj")}, QDir::Files | QDir::Hidden).isEmpty();
}

QString FolderAndName(const QString& folder, const QString& name)
{
    return WithSlash(folder) + name;
}

QString WithoutSlash(const QString& folder)
{
    return folder.size() > 1 && folder.endsWith(QLatin1Char('/')) ? folder.chopped(1) : folder;
}

QStringList ReplacedProjectFiles(const QString& folder, const QStringList& keep)
{
    QStringList found;
    for (const QFileInfo& info : QDir(folder).entryInfoList(QDir::Files | QDir::Hidden)) {
        const bool kept = std::any_of(keep.cbegin(), keep.cend(), [&](const QString& path) {
            return QFileInfo(path).absoluteFilePath() == info.absoluteFilePath();
        });
        if (!kept && IsReplacedKind(info.fileName()))
            found << info.filePath();
    }
    return found;
}

void DeleteReplacedProjectFiles(const QString& folder, const QStringList& keep)
{
    const QStringList files = ReplacedProjectFiles(folder, keep);
    for (const QString& path : files)
        DeleteDatabaseFile(path);
    if (files.isEmpty())
        return;
    try {
        SyncFolderOf(files.first());
    } catch (const CDaoException& error) { // the new project stands; the old one's removal may not last
        QvMessageBox(error.GetErrorDescription(), MB_OK | MB_ICONSTOP);
    }
}
