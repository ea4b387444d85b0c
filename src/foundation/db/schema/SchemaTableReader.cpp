#include "foundation/db/schema/SchemaTableReader.h"

#include "foundation/common/RegularFile.h"
#include "foundation/db/files/DatabaseHeader.h"

#include <QFile>

#include <algorithm>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {
constexpr int FILE_HEADER_SIZE = 100;
constexpr quint8 INTERIOR_TABLE_PAGE = 0x05;
constexpr quint8 LEAF_TABLE_PAGE = 0x0D;
constexpr quint32 UTF8_ENCODING = 1;
constexpr int MIN_USABLE_SIZE = 480;
constexpr int MAX_TREE_DEPTH = 32;
// The schema table's columns: type, name, tbl_name, rootpage, sql.
constexpr int TYPE_COLUMN = 0, NAME_COLUMN = 1, SQL_COLUMN = 4;

quint32 BigEndian(const char* bytes, int size)
{
    quint32 value = 0;
    for (int i = 0; i < size; ++i)
        value = (value << 8) | quint8(bytes[i]);
    return value;
}

// A byte range of a page or payload read with bounds: every read past its end fails.
struct Cursor {
    const char* data;
    qsizetype size;
    qsizetype at = 0;

    bool Varint(quint64& value)
    {
        value = 0;
        for (int i = 0; i < 9; ++i) {
            if (at >= size)
                return false;
            const quint8 byte = quint8(data[at++]);
            if (i == 8) {
                value = (value << 8) | byte;
                return true;
            }
            value = (value << 7) | (byte & 0x7F);
            if (!(byte & 0x80))
                return true;
        }
        return true;
    }
};

int RegularFileDescriptor(const QString& path)
{
    const RegularFileOpen opened = OpenRegularFile(path, LinkRule::Follow);
    return opened.state == RegularFileState::Opened ? opened.fd : -1;
}

class SchemaPages {
public:
    // Only a regular file is read, opened without blocking: a named pipe or a device under the name
    // reads as no schema.
    SchemaPages(const QString& path, SchemaTexts texts, QByteArray* records)
        : m_fd(RegularFileDescriptor(path)), m_texts(texts), m_records(records)
    {
    }
    ~SchemaPages()
    {
        if (m_fd >= 0)
            ::close(m_fd);
    }
    SchemaPages(const SchemaPages&) = delete;
    SchemaPages& operator=(const SchemaPages&) = delete;

    bool ReadHeader(DatabaseHeader* header);
    bool ReadTree(quint32 page, int depth, QList<SchemaTableRow>& rows);

private:
    bool ReadPage(quint32 number, QByteArray& page);
    bool ReadLeafCell(const QByteArray& page, qsizetype at, QList<SchemaTableRow>& rows);
    bool ReadPayload(const QByteArray& page, Cursor& cell, quint64 size, QByteArray& payload);

    int m_fd;
    SchemaTexts m_texts;
    QByteArray* m_records; // every record as stored, each after its size, when asked for
    quint32 m_pageSize = 0;
    quint32 m_usableSize = 0;
    quint32 m_pageCount = 0;
    quint32 m_pagesLeft = 0; // a tree that visits more pages than the file has loops
};

bool SchemaPages::ReadHeader(DatabaseHeader* read)
{
    char bytes[FILE_HEADER_SIZE];
    struct stat status {};
    if (m_fd < 0 || ::fstat(m_fd, &status) != 0 ||
        ::pread(m_fd, bytes, sizeof bytes, 0) != ssize_t(sizeof bytes))
        return false;
    const std::optional<DatabaseHeader> header = ParseDatabaseHeader(QByteArray(bytes, sizeof bytes));
    if (!header || header->textEncoding != UTF8_ENCODING)
        return false;
    if (read)
        *read = *header;
    m_pageSize = header->pageSize;
    m_usableSize = m_pageSize - header->reservedBytes;
    m_pageCount = quint32(std::min<qint64>(status.st_size / m_pageSize, 0x7FFFFFFF));
    if (header->pageCount != 0)
        m_pageCount = std::min(m_pageCount, header->pageCount);
    m_pagesLeft = m_pageCount;
    return m_usableSize >= MIN_USABLE_SIZE;
}

bool SchemaPages::ReadPage(quint32 number, QByteArray& page)
{
    if (number < 1 || number > m_pageCount || m_pagesLeft == 0)
        return false;
    --m_pagesLeft;
    page.resize(m_pageSize);
    return ::pread(m_fd, page.data(), m_pageSize, off_t(number - 1) * m_pageSize) == ssize_t(m_pageSize);
}

// The rows of the table tree under page, in row-id order: each interior cell's child, then the
// rightmost child.
bool SchemaPages::ReadTree(quint32 number, int depth, QList<SchemaTableRow>& rows)
{
    QByteArray page;
    if (depth > MAX_TREE_DEPTH || !ReadPage(number, page))
        return false;
    const qsizetype header = number == 1 ? FILE_HEADER_SIZE : 0;
    const quint8 kind = quint8(page.at(header));
    if (kind != INTERIOR_TABLE_PAGE && kind != LEAF_TABLE_PAGE)
        return false;
    const bool interior = kind == INTERIOR_TABLE_PAGE;
    const qsizetype pointers = header + (interior ? 12 : 8);
    const quint32 cells = BigEndian(page.constData() + header + 3, 2);
    if (pointers + 2 * qsizetype(cells) > qsizetype(m_usableSize))
        return false;
    for (quint32 i = 0; i < cells; ++i) {
        const qsizetype at = BigEndian(page.constData() + pointers + 2 * i, 2);
        if (at < pointers || at + 4 > qsizetype(m_usableSize))
            return false;
        const bool read = interior ? ReadTree(BigEndian(page.constData() + at, 4), depth + 1, rows)
                                   : ReadLeafCell(page, at, rows);
        if (!read)
            return false;
    }
    return !interior || ReadTree(BigEndian(page.constData() + header + 8, 4), depth + 1, rows);
}

// The part of a payload the cell holds, then its overflow pages (each: the next page's number,
// then content).
bool SchemaPages::ReadPayload(const QByteArray& page, Cursor& cell, quint64 size, QByteArray& payload)
{
    const quint64 usable = m_usableSize;
    if (size > quint64(m_pageCount) * usable)
        return false;
    const quint64 maxLocal = usable - 35;
    const quint64 minLocal = (usable - 12) * 32 / 255 - 23;
    quint64 local = size;
    if (size > maxLocal) {
        const quint64 spill = minLocal + (size - minLocal) % (usable - 4);
        local = spill <= maxLocal ? spill : minLocal;
    }
    // The cursor never passes the usable end, so what is left of the page is not negative.
    if (local + (local < size ? 4 : 0) > quint64(qsizetype(m_usableSize) - cell.at))
        return false;
    if (local == size) { // read where it lies: the page outlives the payload
        payload = QByteArray::fromRawData(page.constData() + cell.at, qsizetype(local));
        return true;
    }
    payload = page.mid(cell.at, qsizetype(local));
    quint32 next = BigEndian(page.constData() + cell.at + local, 4);
    QByteArray overflow;
    while (quint64(payload.size()) < size) {
        if (!ReadPage(next, overflow))
            return false;
        const qsizetype take = qsizetype(std::min<quint64>(usable - 4, size - quint64(payload.size())));
        payload.append(overflow.constData() + 4, take);
        next = BigEndian(overflow.constData(), 4);
    }
    return true;
}

// A record's column as text (only checked, not converted, without text): NULL gives a null
// string; false for any other type than text.
bool ColumnText(const QByteArray& payload, quint64 serialType, qsizetype at, QString* text)
{
    if (serialType == 0) {
        if (text)
            *text = QString();
        return true;
    }
    if (serialType < 13 || serialType % 2 == 0)
        return false;
    const quint64 length = (serialType - 13) / 2;
    if (at < 0 || at > payload.size() || length > quint64(payload.size() - at))
        return false;
    if (text)
        *text = QString::fromUtf8(payload.constData() + at, qsizetype(length));
    return true;
}

quint64 ColumnSize(quint64 serialType)
{
    static constexpr quint64 FIXED[] = {0, 1, 2, 3, 4, 6, 8, 8, 0, 0};
    return serialType < 10 ? FIXED[serialType] : (serialType - 12) / 2;
}

// A record's type, name and sql, as the engine reads them; false for anything else.
bool DecodeSchemaRecord(const QByteArray& payload, SchemaTexts texts, SchemaTableRow& row)
{
    Cursor header{payload.constData(), payload.size()};
    quint64 headerSize = 0;
    if (!header.Varint(headerSize) || headerSize > quint64(payload.size()))
        return false;
    header.size = qsizetype(headerSize);
    qsizetype body = header.size;
    bool typeRead = false, nameRead = false;
    for (int column = 0; header.at < header.size; ++column) {
        quint64 serialType = 0;
        if (!header.Varint(serialType) || serialType == 10 || serialType == 11)
            return false;
        const bool none = texts == SchemaTexts::None;
        const bool sqlWanted = texts == SchemaTexts::All || (!none && RunsStatements(row.type));
        QString* text = none                                ? nullptr
                        : column == TYPE_COLUMN             ? &row.type
                        : column == NAME_COLUMN             ? &row.name
                        : column == SQL_COLUMN && sqlWanted ? &row.sql
                                                            : nullptr;
        const bool checked = column == TYPE_COLUMN || column == NAME_COLUMN || column == SQL_COLUMN;
        if (checked && !ColumnText(payload, serialType, body, text))
            return false;
        typeRead = typeRead || (column == TYPE_COLUMN && serialType != 0);
        nameRead = nameRead || (column == NAME_COLUMN && serialType != 0);
        // Compared before it is added: a serial type near 2^64 gives a size no signed sum holds.
        const quint64 size = ColumnSize(serialType);
        if (size > quint64(payload.size() - body))
            return false;
        body += qsizetype(size);
    }
    return typeRead && nameRead;
}

bool SchemaPages::ReadLeafCell(const QByteArray& page, qsizetype at, QList<SchemaTableRow>& rows)
{
    Cursor cell{page.constData(), qsizetype(m_usableSize), at};
    quint64 size = 0, rowID = 0;
    QByteArray payload;
    SchemaTableRow row;
    if (!cell.Varint(size) || !cell.Varint(rowID) || !ReadPayload(page, cell, size, payload) ||
        !DecodeSchemaRecord(payload, m_texts, row))
        return false;
    if (m_records) {
        m_records->append(reinterpret_cast<const char*>(&size), sizeof size);
        m_records->append(payload);
    }
    rows.append(std::move(row));
    return true;
}
} // namespace

bool RunsStatements(const QString& type)
{
    // The engine takes an object's type without regard to case ("VIEW" is a view).
    return type.compare(QLatin1String("view"), Qt::CaseInsensitive) == 0 ||
           type.compare(QLatin1String("trigger"), Qt::CaseInsensitive) == 0;
}

std::optional<QList<SchemaTableRow>> ReadSchemaTableRows(const QString& path, SchemaTexts texts,
                                                         QByteArray* records, DatabaseHeader* header)
{
    if (records)
        records->clear();
    SchemaPages pages(path, texts, records);
    QList<SchemaTableRow> rows;
    if (!pages.ReadHeader(header) || !pages.ReadTree(1, 0, rows))
        return std::nullopt;
    return rows;
}
