#include "foundation/db/DatabaseFiles.h"

#include "foundation/db/Compaction.h"
#include "foundation/db/DaoException.h"
#include "foundation/db/SharedConnection.h"

#include <QFile>
#include <QFileInfo>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <unistd.h>

namespace {

QString systemError()
{
    return QString::fromLocal8Bit(std::strerror(errno));
}

void syncDescriptor(const QString& path, int flags)
{
    const int fd = ::open(QFile::encodeName(path).constData(), flags);
    if (fd < 0)
        throw CDaoException(QStringLiteral("Cannot open '%1': %2").arg(path, systemError()));
    const int result = ::fsync(fd);
    const QString reason = systemError();
    ::close(fd);
    if (result != 0)
        throw CDaoException(QStringLiteral("Cannot flush '%1' to disk: %2").arg(path, reason));
}

void removeIfPresent(const QString& path)
{
    if (QFileInfo::exists(path) && !QFile::remove(path))
        throw CDaoException(QStringLiteral("Cannot remove '%1'.").arg(path));
}

void copyBytesDurably(const QString& source, const QString& target)
{
    const QString temporary = target + QStringLiteral(".tmp");
    removeIfPresent(temporary);
    if (!QFile::copy(source, temporary))
        throw CDaoException(QStringLiteral("Cannot copy '%1' to '%2'.").arg(source, temporary));
    try {
        SyncFile(temporary);
        RemoveSideFiles(target);
        ReplaceFile(temporary, target);
        SyncFolderOf(target);
    } catch (const CDaoException&) {
        QFile::remove(temporary);
        throw;
    }
}

bool fail(QString* error, const QString& text)
{
    if (error)
        *error = text;
    return false;
}

} // namespace

QStringList DatabaseSideFiles(const QString& path)
{
    return {path + QStringLiteral("-wal"), path + QStringLiteral("-shm"), path + QStringLiteral("-journal")};
}

bool HasJournalBeside(const QString& path)
{
    return QFileInfo::exists(path + QStringLiteral("-wal")) ||
           QFileInfo::exists(path + QStringLiteral("-journal"));
}

void SyncFile(const QString& path)
{
    syncDescriptor(path, O_RDONLY);
}

void SyncFolderOf(const QString& path)
{
    syncDescriptor(QFileInfo(path).absolutePath(), O_RDONLY | O_DIRECTORY);
}

void ReplaceFile(const QString& from, const QString& to)
{
    if (std::rename(QFile::encodeName(from).constData(), QFile::encodeName(to).constData()) != 0)
        throw CDaoException(QStringLiteral("Cannot rename '%1' to '%2': %3").arg(from, to, systemError()));
}

void RemoveSideFiles(const QString& path)
{
    for (const QString& side : DatabaseSideFiles(path))
        removeIfPresent(side);
}

bool CopyDatabaseFile(const QString& source, const QString& target, QString* error)
{
    if (!QFileInfo(source).isFile())
        return fail(error, QStringLiteral("Could not find file '%1'.").arg(source));
    if (CSharedConnection::registryKey(source) == CSharedConnection::registryKey(target))
        return fail(error, QStringLiteral("Cannot copy '%1' onto itself.").arg(source));
    if (CSharedConnection::isOpen(target))
        return fail(error, QStringLiteral("The database '%1' is open and cannot be replaced.").arg(target));
    try {
        if (CSharedConnection::isOpen(source) || HasJournalBeside(source))
            CompactDatabaseFile(source, target);
        else
            copyBytesDurably(source, target);
    } catch (const CDaoException& exception) {
        return fail(error, exception.GetErrorDescription());
    }
    return true;
}

bool DeleteDatabaseFile(const QString& path, QString* error)
{
    if (CSharedConnection::isOpen(path))
        return fail(error, QStringLiteral("The database '%1' is open and cannot be deleted.").arg(path));
    try {
        RemoveSideFiles(path);
        removeIfPresent(path);
    } catch (const CDaoException& exception) {
        return fail(error, exception.GetErrorDescription());
    }
    return true;
}
