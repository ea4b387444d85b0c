#include "foundation/common/RegularFile.h"

#include <QFile>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <limits>
#include <sys/stat.h>
#include <unistd.h>

namespace {
// What fstat calls a file that is not a regular one.
QString NonRegularKind(mode_t mode)
{
    if (S_ISFIFO(mode))
        return QStringLiteral("a named pipe");
    if (S_ISCHR(mode) || S_ISBLK(mode))
        return QStringLiteral("a device");
    if (S_ISSOCK(mode))
        return QStringLiteral("a socket");
    if (S_ISDIR(mode))
        return QStringLiteral("a folder");
    if (S_ISLNK(mode))
        return QStringLiteral("a symbolic link");
    return QStringLiteral("not a file");
}

// What lies under the name: the link itself where links are refused, else what it names.
bool LookUpFile(const QByteArray& name, LinkRule links, struct stat& status)
{
    return (links == LinkRule::Refuse ? ::lstat(name.constData(), &status)
                                      : ::stat(name.constData(), &status)) == 0;
}

RegularFileOpen RefusedOpen(const QString& refusal)
{
    return RegularFileOpen{-1, RegularFileState::Refused, refusal};
}

// Why the open failed: a link where none is taken, a kind that opens to nothing (a socket), or
// the system's reason.
RegularFileOpen FailedOpen(const QString& path, const QByteArray& name, LinkRule links, int reason)
{
    if (reason == ENOENT)
        return RegularFileOpen{};
    struct stat status {};
    if (LookUpFile(name, links, status) && !S_ISREG(status.st_mode))
        return RefusedOpen(NotRegularFileText(path, NonRegularKind(status.st_mode)));
    return RegularFileOpen{-1, RegularFileState::Unreadable, CannotReadText(path, reason)};
}
} // namespace

QString NotRegularFileText(const QString& path, const QString& kind)
{
    return QStringLiteral("The file \"%1\" is %2, not a regular file: it is not read.").arg(path, kind);
}

QString FileTooLargeText(const QString& path, qint64 size, qint64 bound)
{
    return QStringLiteral("The file \"%1\" holds %2 bytes, more than the %3 it may hold: it is not read.")
        .arg(path)
        .arg(size)
        .arg(bound);
}

QString CannotReadText(const QString& path, int reason)
{
    return QStringLiteral("Cannot read '%1': %2").arg(path, QString::fromLocal8Bit(std::strerror(reason)));
}

RegularFileOpen OpenRegularFile(const QString& path, LinkRule links)
{
    if (path.isEmpty())
        return RegularFileOpen{};
    const QByteArray name = QFile::encodeName(path);
    // A device is not even opened: its open alone may act on it.
    struct stat status {};
    if (LookUpFile(name, links, status) && !S_ISREG(status.st_mode))
        return RefusedOpen(NotRegularFileText(path, NonRegularKind(status.st_mode)));
    // O_NONBLOCK: a named pipe put under the name since the look does not hold the open.
    const int flags = O_RDONLY | O_NONBLOCK | O_CLOEXEC | (links == LinkRule::Refuse ? O_NOFOLLOW : 0);
    const int fd = ::open(name.constData(), flags);
    if (fd < 0)
        return FailedOpen(path, name, links, errno);
    if (::fstat(fd, &status) != 0 || !S_ISREG(status.st_mode)) {
        const mode_t mode = status.st_mode;
        ::close(fd);
        return RefusedOpen(NotRegularFileText(path, NonRegularKind(mode)));
    }
    return RegularFileOpen{fd, RegularFileState::Opened, QString()};
}

QString RegularFileRefusal(const QString& path, LinkRule links)
{
    const RegularFileOpen opened = OpenRegularFile(path, links);
    if (opened.fd >= 0)
        ::close(opened.fd);
    return opened.state == RegularFileState::Refused ? opened.refusal : QString();
}

QString SizeBoundRefusal(const QString& path, LinkRule links, qint64 bound)
{
    const RegularFileOpen opened = OpenRegularFile(path, links);
    if (opened.state != RegularFileState::Opened)
        return QString();
    struct stat status {};
    const bool larger = ::fstat(opened.fd, &status) == 0 && status.st_size > bound;
    ::close(opened.fd);
    return larger ? FileTooLargeText(path, status.st_size, bound) : QString();
}

RegularFileRead ReadOpenedFile(int fd, const QString& path, qint64 bound, OverBound over)
{
    struct stat status {};
    if (::fstat(fd, &status) != 0)
        return RegularFileRead{QByteArray(), RegularFileState::Unreadable, CannotReadText(path, errno)};
    const bool bounded = bound >= 0;
    if (bounded && over == OverBound::Refuse && status.st_size > bound)
        return RegularFileRead{QByteArray(), RegularFileState::Refused,
                               FileTooLargeText(path, status.st_size, bound)};
    // One byte past the bound tells a file that grew since fstat.
    const qint64 most = !bounded                    ? std::numeric_limits<qint64>::max()
                        : over == OverBound::Refuse ? bound + 1
                                                    : bound;
    RegularFileRead result{QByteArray(), RegularFileState::Opened, QString()};
    char buffer[1 << 16];
    qint64 offset = 0;
    while (offset < most) {
        const size_t wanted = size_t(std::min<qint64>(qint64(sizeof buffer), most - offset));
        const ssize_t n = ::pread(fd, buffer, wanted, off_t(offset));
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0)
            return RegularFileRead{QByteArray(), RegularFileState::Unreadable, CannotReadText(path, errno)};
        if (n == 0)
            break;
        result.bytes.append(buffer, qsizetype(n));
        offset += n;
    }
    if (bounded && over == OverBound::Refuse && offset > bound)
        return RegularFileRead{QByteArray(), RegularFileState::Refused,
                               FileTooLargeText(path, offset, bound)};
    return result;
}

RegularFileRead ReadRegularFile(const QString& path, LinkRule links, qint64 bound, OverBound over)
{
    const RegularFileOpen opened = OpenRegularFile(path, links);
    if (opened.state != RegularFileState::Opened)
        return RegularFileRead{QByteArray(), opened.state, opened.refusal};
    RegularFileRead result = ReadOpenedFile(opened.fd, path, bound, over);
    ::close(opened.fd);
    return result;
}
