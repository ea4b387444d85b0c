#pragma once
// The fields of a database file's 100-byte header that the layer reads and writes without a
// connection. They tell the truth only while no -wal or -journal lies beside the file: then the
// file alone holds the database.

#include <QString>
#include <QtGlobal>
#include <optional>

enum class JournalFormat : char { Rollback = 1, WriteAheadLog = 2 };

struct DatabaseHeader {
    JournalFormat journalFormat = JournalFormat::Rollback;
    qint32 userVersion = 0;
    quint32 applicationID = 0;
    quint32 pageSize = 0;      // in bytes, 512..65536
    quint32 reservedBytes = 0; // at the end of each page
    quint32 textEncoding = 0;  // 1 = UTF-8
    quint32 pageCount = 0;     // as the header gives it; 0 when the header's count is not to be trusted
};

// Decodes a header; nullopt when the bytes are not the header of a database.
std::optional<DatabaseHeader> ParseDatabaseHeader(const QByteArray& bytes);
// The header of a database file that alone holds its content; nullopt when the file cannot be
// read, is no database, or has a -wal or -journal beside it.
std::optional<DatabaseHeader> ReadStandaloneHeader(const QString& path);
// Why a database file open on fd is not read as a whole: a file larger than the database its header
// gives (when the header's page count is valid; the engine reads no page past it), or with
// mustBeDatabase, a file with content that has no database header. Empty when it may be read.
QString DatabaseSizeRefusal(int fd, const QString& path, bool mustBeDatabase = false);
// The same for the regular file under path (a link followed); empty when it cannot be opened.
QString DatabaseSizeRefusal(const QString& path);
// "The database "<path>" holds <size> bytes, more than the <header size> its header gives: it is not read."
QString DatabaseTooLargeText(const QString& path, qint64 size, qint64 headerSize);
// "The file "<path>" is not a database: it is not read."
QString NotDatabaseText(const QString& path);
// Sets the journal format of the database open on fd, which no connection may have open and no
// journal may lie beside. A file that is no database is left as it is. False when I/O fails.
bool WriteJournalFormat(int fd, JournalFormat format);
