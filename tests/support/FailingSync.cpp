#include "FailingSync.h"

#include <QFile>
#include <cerrno>
#include <climits>
#include <string>
#include <sys/syscall.h>
#include <unistd.h>

namespace {
std::function<bool(const QString& path)> g_refuses; // empty: no flush fails
int g_refused = 0;

QString PathOf(int fd)
{
    char path[PATH_MAX];
    const std::string link = "/proc/self/fd/" + std::to_string(fd);
    const ssize_t length = ::readlink(link.c_str(), path, sizeof path);
    return length > 0 ? QFile::decodeName(QByteArray(path, int(length))) : QString();
}
} // namespace

extern "C" int fsync(int fd)
{
    if (g_refuses && g_refuses(PathOf(fd))) {
        ++g_refused;
        errno = EIO;
        return -1;
    }
    return int(::syscall(SYS_fsync, fd));
}

FailingSync::FailingSync(const QString& pathSuffix)
    : FailingSync([pathSuffix](const QString& path) { return path.endsWith(pathSuffix); })
{
}

FailingSync::FailingSync(std::function<bool(const QString& path)> refuses)
{
    g_refuses = std::move(refuses);
    g_refused = 0;
}

FailingSync::~FailingSync()
{
    g_refuses = nullptr;
}

int FailingSync::Refused() const
{
    return g_refused;
}
