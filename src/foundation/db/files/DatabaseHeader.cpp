#include "foundation/db/files/DatabaseHeader.h"

#include "foundation/common/RegularFile.h"
#include "foundation/db/files/DatabaseFiles.h"

#include <cstring>
#include <sys/stat.h>
#include <unistd.h>

namespace {
constexpr int HEADER_SIZE = 100;
constexpr char HEADER_MAGIC[] = "SQLite format 3"; // 16 bytes with its terminating zero
constexpr int PAGE_SIZE_OFFSET = 16;
constexpr off_t FORMAT_OFFSET = 18;
constexpr int RESERVED_BYTES_OFFSET = 20;
constexpr int PAYLOAD_FRACTIONS_OFFSET = 21;
constexpr int CHANGE_COUNTER_OFFSET = 24;
constexpr int PAGE_COUNT_OFFSET = 28;
constexpr int TEXT_ENCODING_OFFSET = 56;
constexpr int VERSION_VALID_FOR_OFFSET = 92;
constexpr int USER_VERSION_OFFSET = 60;
constexpr int APPLICATION_ID_OFFSET = 68;

quint32 bigEndian(const QByteArray& bytes, int offset, int size)
{
    quint32 value = 0;
    for (int i = 0; i < size; ++i)
        value = (value << 8) | quint8(bytes.at(offset + i));
    return value;
}

// 512..32768 as stored, 65536 stored as 1.
bool validPageSize(quint32 stored)
{
    return stored == 1 || (stored >= 512 && stored <= 32768 && (stored & (stored - 1)) == 0);
}

bool validFormat(char write, char read)
{
    return write == read &&
           (write == char(JournalFormat::Rollback) || write == char(JournalFormat::WriteAheadLog));
}
} // namespace

std::optional<DatabaseHeader> ParseDatabaseHeader(const QByteArray& bytes)
{
    if (bytes.size() < HEADER_SIZE ||
        std::memcmp(bytes.constData(), HEADER_MAGIC, sizeof HEADER_MAGIC) != 0 ||
        !validPageSize(bigEndian(bytes, PAGE_SIZE_OFFSET, 2)) ||
        !validFormat(bytes.at(FORMAT_OFFSET), bytes.at(FORMAT_OFFSET + 1)) ||
        bytes.mid(PAYLOAD_FRACTIONS_OFFSET, 3) != QByteArray("\x40\x20\x20", 3))
        return std::nullopt;
    DatabaseHeader header;
    header.journalFormat = JournalFormat(bytes.at(FORMAT_OFFSET));
    header.userVersion = qint32(bigEndian(bytes, USER_VERSION_OFFSET, 4));
    header.applicationID = bigEndian(bytes, APPLICATION_ID_OFFSET, 4);
    const quint32 storedPageSize = bigEndian(bytes, PAGE_SIZE_OFFSET, 2);
    header.pageSize = storedPageSize == 1 ? 65536 : storedPageSize;
    header.reservedBytes = quint8(bytes.at(RESERVED_BYTES_OFFSET));
    header.textEncoding = bigEndian(bytes, TEXT_ENCODING_OFFSET, 4);
    // The engine takes the header's page count only when it was written with the current change.
    if (bigEndian(bytes, CHANGE_COUNTER_OFFSET, 4) == bigEndian(bytes, VERSION_VALID_FOR_OFFSET, 4))
        header.pageCount = bigEndian(bytes, PAGE_COUNT_OFFSET, 4);
    return header;
}

std::optional<DatabaseHeader> ReadStandaloneHeader(const QString& path)
{
    if (HasJournalBeside(path))
        return std::nullopt;
    // A named pipe or a device under a database's name is none: its read would never end.
    const int fd = OpenRegularFile(path, LinkRule::Follow).fd;
    if (fd < 0)
        return std::nullopt;
    QByteArray bytes(HEADER_SIZE, '\0');
    const ssize_t read = ::pread(fd, bytes.data(), HEADER_SIZE, 0);
    ::close(fd);
    if (read != HEADER_SIZE)
        return std::nullopt;
    return ParseDatabaseHeader(bytes);
}

QString DatabaseSizeRefusal(int fd, const QString& path, bool mustBeDatabase)
{
    struct stat status {};
    if (::fstat(fd, &status) != 0 || status.st_size == 0)
        return QString();
    QByteArray bytes(HEADER_SIZE, '\0');
    const std::optional<DatabaseHeader> header =
        ::pread(fd, bytes.data(), HEADER_SIZE, 0) == HEADER_SIZE ? ParseDatabaseHeader(bytes) : std::nullopt;
    if (!header)
        return mustBeDatabase ? NotDatabaseText(path) : QString();
    const qint64 size = qint64(header->pageCount) * header->pageSize;
    if (header->pageCount == 0 || status.st_size <= size)
        return QString();
    return DatabaseTooLargeText(path, qint64(status.st_size), size);
}

QString DatabaseSizeRefusal(const QString& path)
{
    const int fd = OpenRegularFile(path, LinkRule::Follow).fd;
    if (fd < 0)
        return QString();
    const QString refusal = DatabaseSizeRefusal(fd, path);
    ::close(fd);
    return refusal;
}

QString DatabaseTooLargeText(const QString& path, qint64 size, qint64 headerSize)
{
    return QStringLiteral(
               "The database \"%1\" holds %2 bytes, more than the %3 its header gives: it is not read.")
        .arg(path)
        .arg(size)
        .arg(headerSize);
}

QString NotDatabaseText(const QString& path)
{
    return QStringLiteral("The file \"%1\" is not a database: it is not read.").arg(path);
}

bool WriteJournalFormat(int fd, JournalFormat format)
{
    QByteArray header(HEADER_SIZE, '\0');
    if (::pread(fd, header.data(), HEADER_SIZE, 0) != HEADER_SIZE || !ParseDatabaseHeader(header))
        return true;
    const char bytes[2] = {char(format), char(format)};
    return ::pwrite(fd, bytes, sizeof bytes, FORMAT_OFFSET) == ssize_t(sizeof bytes);
}
