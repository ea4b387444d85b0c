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

RegularFileRead ReadRegularFile(const QString& path, LinkRule links, qint64 maxBytes)
{
    const RegularFileOpen opened = OpenRegularFile(path, links);
    RegularFileRead result{QByteArray(), opened.state, opened.refusal};
    if (opened.state != RegularFileState::Opened)
        return result;
    const qint64 most = maxBytes < 0 ? std::numeric_limits<qint64>::max() : maxBytes;
    char buffer[1 << 16];
    while (result.bytes.size() < most) {
        const size_t wanted = size_t(std::min<qint64>(qint64(sizeof buffer), most - result.bytes.size()));
        const ssize_t n = ::read(opened.fd, buffer, wanted);
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0) {
            result = RegularFileRead{QByteArray(), RegularFileState::Unreadable, CannotReadText(path, errno)};
            break;
        }
        if (n == 0)
            break;
        result.bytes.append(buffer, qsizetype(n));
    }
    ::close(opened.fd);
    return result;
}
