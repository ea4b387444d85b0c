#include "modules/packer/QvzReader.h"

#include "foundation/common/NewFile.h"
#include "foundation/common/QVCompletionStatus.h"
#include "foundation/db/connection/DaoException.h"
#include "foundation/db/files/DatabaseFiles.h"
#include "foundation/db/files/DatabaseHeader.h"
#include "modules/packer/QvzFormat.h"

#include <QDir>
#include <QFile>
#include <QSet>

#include <limits>
#include <unistd.h>
#include <zip.h>

namespace {
constexpr qint64 QVZ_ROOT_LIMIT = 4096;
constexpr qint64 QVZ_CHUNK = 1 << 16;
constexpr qsizetype QVZ_DATABASE_HEAD = 100; // a database file's header
// A project's package holds its three files, its steps and sequence files: more members than this
// is no package of ours.
constexpr zip_int64_t QVZ_MEMBER_LIMIT = 10000;

QString PartPath(const QString& folder, const QString& name)
{
    return QDir(folder).filePath(name + QStringLiteral(".part"));
}

// The folder itself or the nearest one above it that exists: where the free space is asked.
QString ExistingFolderOf(const QString& folder)
{
    QDir dir(QDir::cleanPath(QDir(folder).absolutePath()));
    while (!dir.exists() && !dir.isRoot())
        dir.setPath(QDir::cleanPath(dir.absoluteFilePath(QStringLiteral(".."))));
    return dir.absolutePath();
}

// Copies the entry's bytes into the file; false when it holds more or fewer than expected or the
// library finds it damaged (its CRC is checked at the end).
bool CopyQvzEntry(zip_file_t* entry, QFile& file, quint64 expected)
{
    QByteArray chunk(QVZ_CHUNK, Qt::Uninitialized);
    quint64 total = 0;
    for (;;) {
        const zip_int64_t read = zip_fread(entry, chunk.data(), zip_uint64_t(chunk.size()));
        if (read < 0)
            return false;
        if (read == 0)
            return total == expected;
        total += quint64(read);
        if (total > expected || file.write(chunk.constData(), read) != read)
            return false;
    }
}
} // namespace

CQvzReader::~CQvzReader()
{
    if (m_zip)
        zip_discard(m_zip);
}

bool CQvzReader::Refuse(const QString& error)
{
    m_reason = error;
    m_error = QStringLiteral("%1: %2").arg(m_package, error);
    return false;
}

bool CQvzReader::Open(const QString& package, bool rootOnly)
{
    m_package = package;
    int code = 0;
    m_zip = zip_open(QFile::encodeName(package).constData(), ZIP_RDONLY | ZIP_CHECKCONS, &code);
    if (!m_zip) {
        if (code == ZIP_ER_NOZIP)
            return Refuse(QStringLiteral("the file is not a compound file"));
        zip_error_t error;
        zip_error_init_with_code(&error, code);
        const QString text = QString::fromUtf8(zip_error_strerror(&error));
        zip_error_fini(&error);
        return Refuse(text);
    }
    return ReadRoot() && (rootOnly || ReadEntries());
}

QStringList CQvzReader::MemberNames() const
{
    QStringList names;
    for (const Entry& entry : m_entries)
        names << entry.name;
    return names;
}

bool CQvzReader::ReadRoot()
{
    zip_stat_t stat;
    zip_stat_init(&stat);
    if (zip_get_num_entries(m_zip, 0) < 1 || zip_stat_index(m_zip, 0, 0, &stat) != 0 ||
        QString::fromUtf8(stat.name) != QVZ_ROOT_ENTRY || stat.comp_method != ZIP_CM_STORE ||
        stat.size > quint64(QVZ_ROOT_LIMIT))
        return Refuse(QStringLiteral("no root file"));
    QByteArray text(qsizetype(stat.size), Qt::Uninitialized);
    zip_file_t* root = zip_fopen_index(m_zip, 0, 0);
    const bool read = root && zip_fread(root, text.data(), stat.size) == zip_int64_t(stat.size);
    if (root)
        zip_fclose(root);
    if (!read || !ParseQvzRoot(text, m_baseName))
        return Refuse(QStringLiteral("the root file cannot be read"));
    return true;
}

bool CQvzReader::ReadEntries()
{
    const zip_int64_t count = zip_get_num_entries(m_zip, 0);
    if (count - 1 > QVZ_MEMBER_LIMIT)
        return Refuse(QStringLiteral("it holds more than %1 members").arg(QVZ_MEMBER_LIMIT));
    QSet<QString> seen;
    for (zip_int64_t index = 1; index < count; ++index) {
        zip_stat_t stat;
        zip_stat_init(&stat);
        if (zip_stat_index(m_zip, zip_uint64_t(index), 0, &stat) != 0 || !(stat.valid & ZIP_STAT_SIZE) ||
            !(stat.valid & ZIP_STAT_NAME))
            return Refuse(QStringLiteral("entry %1 cannot be read").arg(index));
        const Entry entry{QString::fromUtf8(stat.name), quint64(index), quint64(stat.size)};
        if (!CheckEntry(entry, seen))
            return false;
        if (entry.size > quint64(std::numeric_limits<qint64>::max()) - m_totalSize)
            return Refuse(QStringLiteral("the sizes it declares cannot be"));
        m_totalSize += entry.size;
        m_entries.append(entry);
    }
    for (const QString& required : QvzRequiredMembers(m_baseName)) {
        if (!seen.contains(required.toCaseFolded()))
            return Refuse(QStringLiteral("%1 is missing").arg(required));
    }
    return true;
}

// Names are kept case-folded: two members that differ only in case would be one file on a
// case-insensitive folder.
bool CQvzReader::CheckEntry(const Entry& entry, QSet<QString>& seen)
{
    if (!IsPlainQvzName(entry.name) || !IsQvzMemberName(entry.name, m_baseName))
        return Refuse(QStringLiteral("\"%1\" is no file of the project %2").arg(entry.name, m_baseName));
    const QString folded = entry.name.toCaseFolded();
    if (seen.contains(folded))
        return Refuse(QStringLiteral("\"%1\" is held twice").arg(entry.name));
    seen.insert(folded);
    if (entry.size > QvzMemberLimit(entry.name))
        return Refuse(QStringLiteral("\"%1\" declares %2 bytes, more than a %3 of a project holds (%4)")
                          .arg(entry.name)
                          .arg(entry.size)
                          .arg(IsQvzDatabaseMember(entry.name) ? QStringLiteral("database")
                                                               : QStringLiteral("sequence file"))
                          .arg(QvzMemberLimit(entry.name)));
    return true;
}

bool CQvzReader::CheckFreeSpace(const QString& folder, const FreeSpaceProbe& freeSpace)
{
    const qint64 available = freeSpace ? freeSpace(ExistingFolderOf(folder)) : -1;
    if (available >= 0 && m_totalSize > quint64(available))
        return Refuse(QStringLiteral("%1 bytes do not fit into %2").arg(m_totalSize).arg(folder));
    return true;
}

bool CQvzReader::ExtractTo(const QString& folder, const FreeSpaceProbe& freeSpace,
                           IQVCompletionStatus* status)
{
    if (!m_zip || !CheckFreeSpace(folder, freeSpace))
        return false;
    const QString existing = ExistingFolderOf(folder);
    if (!QDir().mkpath(folder))
        return Refuse(QStringLiteral("%1 cannot be created").arg(folder));
    if (WriteParts(folder, status) && MovePartsIntoPlace(folder))
        return true;
    RemoveParts(folder);
    // The folders made for the unpack go again, up to the one that was there.
    for (QDir made(QDir::cleanPath(QDir(folder).absolutePath()));
         made.absolutePath() != existing && made.rmdir(made.absolutePath());)
        made.setPath(QDir::cleanPath(made.absoluteFilePath(QStringLiteral(".."))));
    return false;
}

bool CQvzReader::WriteParts(const QString& folder, IQVCompletionStatus* status)
{
    for (qsizetype k = 0; k < m_entries.size(); ++k) {
        if (!ExtractEntry(m_entries.at(k), PartPath(folder, m_entries.at(k).name)))
            return false;
        if (status)
            status->ReportProgress(long((k + 1) * 100 / m_entries.size()), 0);
    }
    return true;
}

// A database member is looked at before anything of it is written: it must begin with a database
// header whose page count and page size make up the size its entry declares.
bool CQvzReader::ReadDatabaseHead(zip_file_t* source, const Entry& entry, QByteArray& head)
{
    if (!IsQvzDatabaseMember(entry.name))
        return true;
    head = QByteArray(QVZ_DATABASE_HEAD, Qt::Uninitialized);
    qsizetype filled = 0;
    while (filled < head.size()) {
        const zip_int64_t read = zip_fread(source, head.data() + filled, zip_uint64_t(head.size() - filled));
        if (read <= 0)
            break;
        filled += qsizetype(read);
    }
    const std::optional<DatabaseHeader> header =
        filled == head.size() ? ParseDatabaseHeader(head) : std::nullopt;
    if (header && header->pageCount != 0 && quint64(header->pageCount) * header->pageSize == entry.size)
        return true;
    return Refuse(
        QStringLiteral("\"%1\" is no database of the %2 bytes it declares").arg(entry.name).arg(entry.size));
}

// The part is a new file: a leftover one is replaced, a link under its name refused.
bool CQvzReader::ExtractEntry(const Entry& entry, const QString& part)
{
    zip_file_t* source = zip_fopen_index(m_zip, entry.index, 0);
    if (!source)
        return Refuse(QStringLiteral("\"%1\" is damaged or cannot be written").arg(entry.name));
    QByteArray head;
    if (!ReadDatabaseHead(source, entry, head)) {
        zip_fclose(source);
        return false;
    }
    QString refused;
    const int fd = OpenNewFile(part, ExistingFile::Replace, &refused);
    if (fd < 0) {
        zip_fclose(source);
        return Refuse(refused);
    }
    QFile file;
    bool whole = file.open(fd, QIODevice::WriteOnly, QFileDevice::AutoCloseHandle) &&
                 file.write(head) == head.size() &&
                 CopyQvzEntry(source, file, entry.size - quint64(head.size())) && file.flush() &&
                 ::fsync(file.handle()) == 0;
    whole = zip_fclose(source) == 0 && whole;
    if (!whole)
        return Refuse(QStringLiteral("\"%1\" is damaged or cannot be written").arg(entry.name));
    return true;
}

bool CQvzReader::MovePartsIntoPlace(const QString& folder)
{
    const QDir dir(folder);
    try {
        for (const Entry& entry : m_entries) {
            const QString target = dir.filePath(entry.name);
            RemoveSideFiles(target);
            ReplaceFile(PartPath(folder, entry.name), target);
        }
        SyncFolderOf(dir.filePath(m_baseName + QStringLiteral(".prj")));
    } catch (const CDaoException& exception) {
        return Refuse(exception.GetErrorDescription());
    }
    return true;
}

void CQvzReader::RemoveParts(const QString& folder) const
{
    for (const Entry& entry : m_entries) {
        if (!IsSymbolicLink(PartPath(folder, entry.name)))
            QFile::remove(PartPath(folder, entry.name));
    }
}
