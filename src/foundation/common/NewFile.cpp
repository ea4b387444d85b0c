#include "foundation/common/NewFile.h"

#include "foundation/db/files/DiskSyncs.h"

#include <QFile>

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {
QString SystemText(const char* what, const QString& path, int error)
{
    return QStringLiteral("%1 '%2': %3")
        .arg(QLatin1String(what), path, QString::fromLocal8Bit(std::strerror(error)));
}

int Fail(QString* error, const QString& text)
{
    if (error)
        *error = text;
    return -1;
}

// A plain file of that name removed; false with the reason when it stays.
bool RemovePlain(const QByteArray& name, const QString& path, QString* error)
{
    if (::unlink(name.constData()) == 0 || errno == ENOENT)
        return true;
    Fail(error, SystemText("Cannot remove", path, errno));
    return false;
}

// Always a new file: whatever lies under the name (a link, a fifo, a file of other names) fails it.
constexpr int NEW_FILE_FLAGS = O_RDWR | O_NOFOLLOW | O_CLOEXEC | O_CREAT | O_EXCL;

bool WriteAll(int fd, const QByteArray& bytes)
{
    qsizetype written = 0;
    while (written < bytes.size()) {
        const ssize_t n = ::write(fd, bytes.constData() + written, size_t(bytes.size() - written));
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            return false;
        written += n;
    }
    return true;
}
} // namespace

QString LinkRefusedText(const QString& path)
{
    return QStringLiteral("The file \"%1\" is a symbolic link. Nothing is written through a link: remove it "
                          "and try again.")
        .arg(path);
}

bool IsSymbolicLink(const QString& path)
{
    struct stat status {};
    return ::lstat(QFile::encodeName(path).constData(), &status) == 0 && S_ISLNK(status.st_mode);
}

QString HardLinkRefusedText(const QString& path)
{
    return QStringLiteral("The file \"%1\" is a hard link (a file with other names). Nothing is written "
                          "through a link: remove it and try again.")
        .arg(path);
}

bool HasOtherNames(const QString& path)
{
    struct stat status {};
    return ::stat(QFile::encodeName(path).constData(), &status) == 0 && status.st_nlink > 1;
}

int OpenNewFile(const QString& path, ExistingFile existing, QString* error, mode_t mode)
{
    const QByteArray name = QFile::encodeName(path);
    struct stat status {};
    const bool present = ::lstat(name.constData(), &status) == 0;
    if (present && S_ISLNK(status.st_mode))
        return Fail(error, LinkRefusedText(path));
    if (present && existing == ExistingFile::Replace && S_ISREG(status.st_mode) &&
        !RemovePlain(name, path, error))
        return -1;
    const int fd = ::open(name.constData(), NEW_FILE_FLAGS, mode);
    if (fd >= 0) {
        NoteFileMade(path, fd);
        return fd;
    }
    const int reason = errno;
    // A link put in its place since the look (O_NOFOLLOW answers ELOOP, O_EXCL EEXIST).
    if (IsSymbolicLink(path))
        return Fail(error, LinkRefusedText(path));
    return Fail(error, SystemText("Cannot create", path, reason));
}

bool CreateNewFile(const QString& path, ExistingFile existing, QString* error, mode_t mode)
{
    const int fd = OpenNewFile(path, existing, error, mode);
    if (fd < 0)
        return false;
    ::close(fd);
    return true;
}

bool WriteNewFile(const QString& path, const QByteArray& bytes, ExistingFile existing, QString* error,
                  mode_t mode)
{
    const int fd = OpenNewFile(path, existing, error, mode);
    if (fd < 0)
        return false;
    const bool written = WriteAll(fd, bytes) && SyncDescriptor(fd);
    const int reason = errno;
    ::close(fd);
    if (written)
        return true;
    ::unlink(QFile::encodeName(path).constData());
    Fail(error, SystemText("Cannot write", path, reason));
    return false;
}
