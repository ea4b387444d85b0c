/* A preloaded library that records the file operations a process makes in the folders named by
 * QV_FSLOG_DIRS (':'-separated, each with its trailing '/'): creates, writes, truncations, flushes,
 * renames, links and unlinks, in order, so that a test can rebuild what a power loss at any
 * instant may leave. QV_FSLOG names the log; the written bytes go to QV_FSLOG + ".data". Lines:
 *   O fd created truncated directory path | W fd offset length dataOffset | T fd length | S fd
 *   C fd | R from\tto | L from\tto | U path | M label
 * QV_FSLOG_SKIP_SYNC=<suffix> turns every flush of a file whose name ends with it into a no-op (a
 * control that must make the test fail); <suffix>@<label> only those after the mark of that label. Files ending in "-shm" are left out (rebuilt after a
 * power loss). copy_file_range answers ENOSYS, so copies go through write. */
#define _GNU_SOURCE
#include <dlfcn.h>
#include <errno.h>
#include <fcntl.h>
#include <limits.h>
#include <pthread.h>
#include <stdarg.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <sys/stat.h>
#include <sys/types.h>
#include <sys/uio.h>
#include <unistd.h>

#define MAX_FDS 4096

static pthread_mutex_t lock = PTHREAD_MUTEX_INITIALIZER;
static int logFd = -2, dataFd = -1;
static long long dataSize;
static char* watched[MAX_FDS];
static char dirs[4096];

#define REAL(name) ((__typeof__(&name))real(#name))
static void* real(const char* name)
{
    return dlsym(RTLD_NEXT, name);
}

static ssize_t rawWrite(int fd, const void* data, size_t size)
{
    static ssize_t (*w)(int, const void*, size_t);
    if (!w)
        w = real("write");
    const char* p = data;
    while (size > 0) {
        ssize_t n = w(fd, p, size);
        if (n <= 0)
            return -1;
        p += n;
        size -= (size_t)n;
    }
    return 0;
}

static int active(void)
{
    if (logFd == -2) {
        const char* path = getenv("QV_FSLOG");
        const char* list = getenv("QV_FSLOG_DIRS");
        int (*o)(const char*, int, ...) = real("open");
        logFd = -1;
        if (path && list && strlen(list) < sizeof dirs - 2) {
            char data[PATH_MAX];
            snprintf(data, sizeof data, "%s.data", path);
            logFd = o(path, O_WRONLY | O_CREAT | O_APPEND | O_CLOEXEC, 0644);
            dataFd = o(data, O_WRONLY | O_CREAT | O_APPEND | O_CLOEXEC, 0644);
            snprintf(dirs, sizeof dirs, ":%s:", list);
        }
    }
    return logFd >= 0 && dataFd >= 0;
}

static void logLine(const char* format, ...)
{
    char line[3 * PATH_MAX];
    va_list args;
    va_start(args, format);
    int n = vsnprintf(line, sizeof line, format, args);
    va_end(args);
    if (n > 0 && (size_t)n < sizeof line)
        rawWrite(logFd, line, (size_t)n);
}

static int isWatchedHere(const char* path);

/* A path in a staging folder (".<name>.staging-XXXXXX", where the program's libraries write before
 * a file is moved into place) of a watched folder counts as one in that folder. */
static int isInWatchedStaging(const char* path)
{
    const char* slash = strrchr(path, '/');
    const char* marker = strstr(path, ".staging-");
    if (!slash || !marker || marker > slash)
        return 0;
    char folder[PATH_MAX];
    size_t folderLength = (size_t)(slash - path);
    if (folderLength + 1 > sizeof folder)
        return 0;
    memcpy(folder, path, folderLength);
    folder[folderLength] = 0;
    return isWatchedHere(folder);
}

/* A path directly in a watched folder, a watched folder itself, or a path in one's staging folder. */
static int isWatched(const char* path)
{
    return isWatchedHere(path) || (path && path[0] == '/' && active() && isInWatchedStaging(path));
}

static int isWatchedHere(const char* path)
{
    if (!path || path[0] != '/' || !active())
        return 0;
    size_t length = strlen(path);
    if (length > 4 && strcmp(path + length - 4, "-shm") == 0)
        return 0;
    const char* slash = strrchr(path, '/');
    char folder[PATH_MAX + 2];
    size_t folderLength = (size_t)(slash - path) + 1;
    if (folderLength + 2 > sizeof folder)
        return 0;
    folder[0] = ':';
    memcpy(folder + 1, path, folderLength);
    folder[folderLength + 1] = ':';
    folder[folderLength + 2] = 0;
    if (strstr(dirs, folder))
        return 1;
    snprintf(folder, sizeof folder, ":%s/:", path);
    return strstr(dirs, folder) != NULL;
}

static void afterOpen(int fd, const char* path, int flags, int existed)
{
    if (fd < 0 || fd >= MAX_FDS || !isWatched(path))
        return;
    struct stat status;
    int directory = fstat(fd, &status) == 0 && S_ISDIR(status.st_mode);
    pthread_mutex_lock(&lock);
    free(watched[fd]);
    watched[fd] = strdup(path);
    logLine("O %d %d %d %d %s\n", fd, !existed && (flags & O_CREAT), (flags & O_TRUNC) != 0, directory, path);
    pthread_mutex_unlock(&lock);
}

static int exists(const char* path)
{
    static int (*a)(const char*, int);
    if (!a)
        a = real("access");
    return a(path, F_OK) == 0;
}

#define OPEN_BODY(call, path)                                                                          \
    mode_t mode = 0;                                                                                   \
    if ((flags & O_CREAT) || (flags & O_TMPFILE) == O_TMPFILE) {                                                         \
        va_list args;                                                                                  \
        va_start(args, flags);                                                                         \
        mode = va_arg(args, mode_t);                                                                   \
        va_end(args);                                                                                  \
    }                                                                                                  \
    int existed = isWatched(path) ? exists(path) : 1;                                                  \
    int fd = call;                                                                                     \
    afterOpen(fd, path, flags, existed);                                                               \
    return fd;

int open(const char* path, int flags, ...) { OPEN_BODY(REAL(open)(path, flags, mode), path) }
int open64(const char* path, int flags, ...) { OPEN_BODY(REAL(open64)(path, flags, mode), path) }
int openat(int dirfd, const char* path, int flags, ...) { OPEN_BODY(REAL(openat)(dirfd, path, flags, mode), path) }
int openat64(int dirfd, const char* path, int flags, ...)
{
    OPEN_BODY(REAL(openat64)(dirfd, path, flags, mode), path)
}
int __open_2(const char* path, int flags) { return open(path, flags); }
int __open64_2(const char* path, int flags) { return open64(path, flags); }
int creat(const char* path, mode_t mode) { return open(path, O_WRONLY | O_CREAT | O_TRUNC, mode); }
int creat64(const char* path, mode_t mode) { return open64(path, O_WRONLY | O_CREAT | O_TRUNC, mode); }

static void logWrite(int fd, long long offset, const void* data, ssize_t written)
{
    if (written <= 0 || fd < 0 || fd >= MAX_FDS || !watched[fd])
        return;
    pthread_mutex_lock(&lock);
    logLine("W %d %lld %lld %lld\n", fd, offset, (long long)written, dataSize);
    rawWrite(dataFd, data, (size_t)written);
    dataSize += written;
    pthread_mutex_unlock(&lock);
}

static int isLogged(int fd)
{
    return fd >= 0 && fd < MAX_FDS && watched[fd];
}

ssize_t write(int fd, const void* data, size_t size)
{
    long long offset = isLogged(fd) ? (long long)lseek(fd, 0, SEEK_CUR) : 0;
    ssize_t written = REAL(write)(fd, data, size);
    logWrite(fd, offset, data, written);
    return written;
}

ssize_t pwrite(int fd, const void* data, size_t size, off_t offset)
{
    ssize_t written = REAL(pwrite)(fd, data, size, offset);
    logWrite(fd, offset, data, written);
    return written;
}

ssize_t pwrite64(int fd, const void* data, size_t size, off64_t offset)
{
    ssize_t written = REAL(pwrite64)(fd, data, size, offset);
    logWrite(fd, offset, data, written);
    return written;
}

ssize_t writev(int fd, const struct iovec* parts, int count)
{
    long long offset = isLogged(fd) ? (long long)lseek(fd, 0, SEEK_CUR) : 0;
    ssize_t written = REAL(writev)(fd, parts, count);
    for (int i = 0; i < count && written > 0 && isLogged(fd); ++i) {
        ssize_t part = written < (ssize_t)parts[i].iov_len ? written : (ssize_t)parts[i].iov_len;
        logWrite(fd, offset, parts[i].iov_base, part);
        offset += part;
        written -= part;
    }
    return written;
}

ssize_t copy_file_range(int from, loff_t* fromOffset, int to, loff_t* toOffset, size_t size, unsigned flags)
{
    (void)from, (void)fromOffset, (void)to, (void)toOffset, (void)size, (void)flags;
    errno = ENOSYS;
    return -1;
}

static void logFdLine(const char* kind, int fd, long long value, int withValue)
{
    if (!isLogged(fd))
        return;
    pthread_mutex_lock(&lock);
    if (withValue)
        logLine("%s %d %lld\n", kind, fd, value);
    else
        logLine("%s %d\n", kind, fd);
    pthread_mutex_unlock(&lock);
}

int ftruncate(int fd, off_t length)
{
    int result = REAL(ftruncate)(fd, length);
    if (result == 0)
        logFdLine("T", fd, length, 1);
    return result;
}

int ftruncate64(int fd, off64_t length)
{
    int result = REAL(ftruncate64)(fd, length);
    if (result == 0)
        logFdLine("T", fd, length, 1);
    return result;
}

/* Set once the mark that QV_FSLOG_SKIP_SYNC names after its '@' is logged. */
static int skipMarkPassed;

static int skipsSync(int fd)
{
    const char* suffix = getenv("QV_FSLOG_SKIP_SYNC");
    if (!suffix || !*suffix || !isLogged(fd))
        return 0;
    const char* mark = strchr(suffix, '@');
    if (mark && !__atomic_load_n(&skipMarkPassed, __ATOMIC_ACQUIRE))
        return 0;
    size_t length = strlen(watched[fd]), suffixLength = mark ? (size_t)(mark - suffix) : strlen(suffix);
    return length >= suffixLength && strncmp(watched[fd] + length - suffixLength, suffix, suffixLength) == 0;
}

int fsync(int fd)
{
    if (skipsSync(fd))
        return 0;
    int result = REAL(fsync)(fd);
    if (result == 0)
        logFdLine("S", fd, 0, 0);
    return result;
}

int fdatasync(int fd)
{
    if (skipsSync(fd))
        return 0;
    int result = REAL(fdatasync)(fd);
    if (result == 0)
        logFdLine("S", fd, 0, 0);
    return result;
}

int close(int fd)
{
    if (isLogged(fd)) {
        logFdLine("C", fd, 0, 0);
        pthread_mutex_lock(&lock);
        free(watched[fd]);
        watched[fd] = NULL;
        pthread_mutex_unlock(&lock);
    }
    return REAL(close)(fd);
}

static void logPair(const char* kind, const char* from, const char* to)
{
    if (!isWatched(from) && !isWatched(to))
        return;
    pthread_mutex_lock(&lock);
    logLine("%s %s\t%s\n", kind, from, to);
    pthread_mutex_unlock(&lock);
}

int rename(const char* from, const char* to)
{
    int result = REAL(rename)(from, to);
    if (result == 0)
        logPair("R", from, to);
    return result;
}

int renameat(int fromDir, const char* from, int toDir, const char* to)
{
    int result = REAL(renameat)(fromDir, from, toDir, to);
    if (result == 0)
        logPair("R", from, to);
    return result;
}

int renameat2(int fromDir, const char* from, int toDir, const char* to, unsigned flags)
{
    int result = REAL(renameat2)(fromDir, from, toDir, to, flags);
    if (result == 0)
        logPair("R", from, to);
    return result;
}

int link(const char* from, const char* to)
{
    int result = REAL(link)(from, to);
    if (result == 0)
        logPair("L", from, to);
    return result;
}

int linkat(int fromDir, const char* from, int toDir, const char* to, int flags)
{
    int result = REAL(linkat)(fromDir, from, toDir, to, flags);
    if (result == 0)
        logPair("L", from, to);
    return result;
}

static void logUnlink(const char* path)
{
    if (!isWatched(path))
        return;
    pthread_mutex_lock(&lock);
    logLine("U %s\n", path);
    pthread_mutex_unlock(&lock);
}

int unlink(const char* path)
{
    int result = REAL(unlink)(path);
    if (result == 0)
        logUnlink(path);
    return result;
}

int unlinkat(int dirfd, const char* path, int flags)
{
    int result = REAL(unlinkat)(dirfd, path, flags);
    if (result == 0 && !(flags & AT_REMOVEDIR))
        logUnlink(path);
    return result;
}

void qv_fslog_mark(const char* label)
{
    if (!active())
        return;
    pthread_mutex_lock(&lock);
    logLine("M %s\n", label);
    pthread_mutex_unlock(&lock);
    const char* skipped = getenv("QV_FSLOG_SKIP_SYNC");
    const char* mark = skipped ? strchr(skipped, '@') : NULL;
    if (mark && strcmp(mark + 1, label) == 0)
        __atomic_store_n(&skipMarkPassed, 1, __ATOMIC_RELEASE);
}
