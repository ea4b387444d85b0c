#include "projects/UnpackRegistry.h"

#include "foundation/db/DaoException.h"
#include "foundation/db/DatabaseFiles.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QStandardPaths>
#include <QStringList>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {
// One line per folder: identity, folder path, package path, separated by tabs.
struct Entry {
    QString identity;
    QString folder;
    QString package;
};

QString OwnPath(const QString& folder)
{
    return QDir::cleanPath(QFileInfo(folder).absoluteFilePath());
}

// "<device>:<inode>:<birth time in ns>" of the folder (a folder made again at the same path may get
// the same inode, never the same birth); empty when it does not exist.
QString IdentityOf(const QString& folder)
{
    struct statx status {};
    if (::statx(AT_FDCWD, QFile::encodeName(folder).constData(), 0, STATX_INO | STATX_TYPE | STATX_BTIME,
                &status) != 0 ||
        !S_ISDIR(status.stx_mode))
        return {};
    const qulonglong device = (qulonglong(status.stx_dev_major) << 32) | status.stx_dev_minor;
    const qlonglong born = (status.stx_mask & STATX_BTIME)
                               ? qlonglong(status.stx_btime.tv_sec) * 1000000000 + status.stx_btime.tv_nsec
                               : 0;
    return QStringLiteral("%1:%2:%3").arg(device).arg(qulonglong(status.stx_ino)).arg(born);
}

QList<Entry> ReadEntries()
{
    QList<Entry> entries;
    QFile file(UnpackRegistry::FilePath());
    if (!file.open(QIODevice::ReadOnly))
        return entries;
    for (const QByteArray& line : file.readAll().split('\n')) {
        const QStringList fields = QString::fromUtf8(line).split(QLatin1Char('\t'));
        if (fields.size() == 3)
            entries << Entry{fields.at(0), fields.at(1), fields.at(2)};
    }
    return entries;
}

bool WriteEntries(const QList<Entry>& entries)
{
    QByteArray text;
    for (const Entry& entry : entries)
        text +=
            QStringList{entry.identity, entry.folder, entry.package}.join(QLatin1Char('\t')).toUtf8() + '\n';
    const QString path = UnpackRegistry::FilePath();
    if (!QDir().mkpath(QFileInfo(path).absolutePath()))
        return false;
    QSaveFile file(path);
    if (!(file.open(QIODevice::WriteOnly) && file.write(text) == text.size() && file.flush() &&
          ::fsync(file.handle()) == 0 && file.commit()))
        return false;
    try {
        SyncFolderOf(path);
    } catch (const CDaoException&) {
        return false;
    }
    return true;
}
} // namespace

QString UnpackRegistry::FilePath()
{
    return QStandardPaths::writableLocation(QStandardPaths::AppDataLocation) +
           QStringLiteral("/UnpackedFolders.txt");
}

bool UnpackRegistry::Register(const QString& folder, const QString& package)
{
    const QString identity = IdentityOf(folder);
    if (identity.isEmpty())
        return false;
    const QString own = OwnPath(folder);
    QList<Entry> kept;
    for (const Entry& entry : ReadEntries()) {
        if (entry.folder != own && IdentityOf(entry.folder) == entry.identity)
            kept << entry;
    }
    kept << Entry{identity, own, package};
    return WriteEntries(kept);
}

bool UnpackRegistry::Holds(const QString& folder, const QString& package)
{
    const QString identity = IdentityOf(folder);
    if (identity.isEmpty())
        return false;
    const QString own = OwnPath(folder);
    for (const Entry& entry : ReadEntries()) {
        if (entry.folder == own && entry.identity == identity && entry.package == package)
            return true;
    }
    return false;
}
