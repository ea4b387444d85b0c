#include "projects/UnpackRegistry.h"

#include "foundation/common/NewFile.h"
#include "foundation/common/RegularFile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>
#include <QStringList>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {
// One line per folder and kind: identity, folder path, package path, separated by tabs; a tie
// adds a fourth field (a reader of three fields passes its line over).
const QString TIED = QStringLiteral("tied");

struct Entry {
    QString identity;
    QString folder;
    QString package;
    bool tied = false;
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
    // Ours alone: never read through a link, and only as a regular file.
    const RegularFileRead file =
        ReadRegularFile(UnpackRegistry::FilePath(), LinkRule::Refuse, TEXT_FILE_BOUND);
    if (!file.read())
        return entries;
    for (const QByteArray& line : file.bytes.split('\n')) {
        const QStringList fields = QString::fromUtf8(line).split(QLatin1Char('\t'));
        if (fields.size() == 3 || (fields.size() == 4 && fields.at(3) == TIED))
            entries << Entry{fields.at(0), fields.at(1), fields.at(2), fields.size() == 4};
    }
    return entries;
}

bool WriteEntries(const QList<Entry>& entries)
{
    QByteArray text;
    for (const Entry& entry : entries) {
        QStringList fields{entry.identity, entry.folder, entry.package};
        if (entry.tied)
            fields << TIED;
        text += fields.join(QLatin1Char('\t')).toUtf8() + '\n';
    }
    const QString path = UnpackRegistry::FilePath();
    if (!QDir().mkpath(QFileInfo(path).absolutePath()))
        return false;
    return ReplaceWithNewFile(path, text, nullptr);
}
} // namespace

QString UnpackRegistry::FilePath()
{
    return QStandardPaths::writableLocation(QStandardPaths::AppDataLocation) +
           QStringLiteral("/UnpackedFolders.txt");
}

namespace {
// Lists folder with package as the given kind, in place of what was listed for that path and kind.
bool Record(const QString& folder, const QString& package, bool tied)
{
    const QString identity = IdentityOf(folder);
    if (identity.isEmpty())
        return false;
    const QString own = OwnPath(folder);
    QList<Entry> kept;
    for (const Entry& entry : ReadEntries()) {
        if ((entry.folder != own || entry.tied != tied) && IdentityOf(entry.folder) == entry.identity)
            kept << entry;
    }
    kept << Entry{identity, own, package, tied};
    return WriteEntries(kept);
}

bool Lists(const QString& folder, const QString& package, bool tiesCount)
{
    const QString identity = IdentityOf(folder);
    if (identity.isEmpty())
        return false;
    const QString own = OwnPath(folder);
    for (const Entry& entry : ReadEntries()) {
        if (entry.folder == own && entry.identity == identity && entry.package == package &&
            (tiesCount || !entry.tied))
            return true;
    }
    return false;
}
} // namespace

bool UnpackRegistry::Register(const QString& folder, const QString& package)
{
    return Record(folder, package, false);
}

bool UnpackRegistry::Tie(const QString& folder, const QString& package)
{
    return Record(folder, package, true);
}

bool UnpackRegistry::Holds(const QString& folder, const QString& package)
{
    return Lists(folder, package, false);
}

bool UnpackRegistry::Ties(const QString& folder, const QString& package)
{
    return Lists(folder, package, true);
}
