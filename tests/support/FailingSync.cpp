#include "FailingSync.h"

#include <QFile>
#include <cerrno>
#include <climits>
#include <string>
#include <sys/syscall.h>
#include <unistd.h>

namespace {
std::string g_suffix; // empty: no flush fails
int g_refused = 0;

bool PathEndsWithSuffix(int fd)
{
    char path[PATH_MAX];
    const std::string link = "/proc/self/fd/" + std::to_string(fd);
    const ssize_t length = ::readlink(link.c_str(), path, sizeof path);
    return length >= ssize_t(g_suffix.size()) &&
           std::string(path, size_t(length))
                   .compare(size_t(length) - g_suffix.size(), g_suffix.size(), g_suffix) == 0;
}
} // namespace

extern "C" int fsync(int fd)
{
    if (!g_suffix.empty() && PathEndsWithSuffix(fd)) {
        ++g_refused;
        errno = EIO;
        return -1;
    }
    return int(::syscall(SYS_fsync, fd));
}

FailingSync::FailingSync(const QString& pathSuffix)
{
    g_suffix = QFile::encodeName(pathSuffix).toStdString();
    g_refused = 0;
}

FailingSync::~FailingSync()
{
    g_suffix.clear();
}

int FailingSync::Refused() const
{
    return g_refused;
}
