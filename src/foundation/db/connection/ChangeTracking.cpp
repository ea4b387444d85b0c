#include "foundation/db/connection/ChangeTracking.h"

#include "foundation/db/connection/CanonicalPaths.h"
#include "foundation/db/files/DatabaseFiles.h"
#include "foundation/db/connection/SharedConnection.h"
#include "foundation/db/files/TargetFolderScan.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QSqlDatabase>
#include <QSqlDriver>
#include <sqlite3.h>
#include <sys/stat.h>

namespace {

// Both live until the process ends: a connection closed by another static's destructor at exit
// (a shared library database) still counts its changes here.
QHash<QString, quint64>& changeNumbers()
{
    static auto* numbers = new QHash<QString, quint64>;
    return *numbers;
}

QHash<QString, ChangeBaseline>& baselines()
{
    static auto* kept = new QHash<QString, ChangeBaseline>;
    return *kept;
}

void addChanges(const QString& key, quint64 changes)
{
    if (changes > 0)
        changeNumbers()[key] += changes;
}

qint64 nanoseconds(const timespec& time)
{
    return qint64(time.tv_sec) * 1000000000 + qint64(time.tv_nsec);
}

} // namespace

sqlite3* SqliteEngineOf(const QSqlDatabase& database)
{
    const QVariant handle = database.driver() ? database.driver()->handle() : QVariant();
    if (!handle.isValid() || qstrcmp(handle.typeName(), "sqlite3*") != 0)
        return nullptr;
    return *static_cast<sqlite3* const*>(handle.constData());
}

namespace {

// Outside any transaction and with no statement running, a read starts from the file as it is.
bool isIdle(sqlite3* engine)
{
    if (sqlite3_get_autocommit(engine) == 0)
        return false;
    for (sqlite3_stmt* statement = sqlite3_next_stmt(engine, nullptr); statement;
         statement = sqlite3_next_stmt(engine, statement)) {
        if (sqlite3_stmt_busy(statement))
            return false;
    }
    return true;
}

// PRAGMA data_version begins and ends a read, so the engine first takes in what other handles
// committed; the file control then answers a version that moves with every commit of any handle.
std::optional<quint32> readDataVersion(sqlite3* engine)
{
    unsigned int version = 0;
    if (sqlite3_exec(engine, "PRAGMA data_version", nullptr, nullptr, nullptr) != SQLITE_OK ||
        sqlite3_file_control(engine, "main", SQLITE_FCNTL_DATA_VERSION, &version) != SQLITE_OK)
        return std::nullopt;
    return quint32(version);
}

} // namespace

QString ChangeKey(const QString& path)
{
    const QString canonical = CanonicalFilePath(path);
    if (!canonical.isEmpty())
        return canonical;
    const QFileInfo info(path);
    const QString folder = CanonicalFolderOf(path);
    return folder.isEmpty() ? QDir::cleanPath(info.absoluteFilePath())
                            : folder + QLatin1Char('/') + info.fileName();
}

std::optional<FileIdentity> ReadFileIdentity(const QString& path)
{
    struct stat status {};
    if (::stat(QFile::encodeName(path).constData(), &status) != 0)
        return std::nullopt;
    return FileIdentityOf(status);
}

FileIdentity FileIdentityOf(const struct stat& status)
{
    return FileIdentity{quint64(status.st_dev), quint64(status.st_ino), qint64(status.st_size),
                        nanoseconds(status.st_mtim), nanoseconds(status.st_ctim)};
}

quint64 ChangeNumber(const QString& path)
{
    if (const auto connection = CSharedConnection::find(path))
        connection->readChanges();
    return changeNumbers().value(ChangeKey(path));
}

void NoteFileWritten(const QString& path)
{
    const QString key = ChangeKey(path);
    addChanges(key, 1);
    baselines().remove(key);
}

std::optional<ChangeBaseline> BaselineBeforeCopy(const QString& target)
{
    if (CopiesByCompaction(target))
        return std::nullopt;
    const std::optional<FileIdentity> identity = ReadFileIdentity(target);
    if (!identity)
        return std::nullopt;
    return ChangeBaseline{ChangeKey(target), *identity, 0};
}

void RecordBaseline(const QString& workingCopy, const ChangeBaseline& baseline)
{
    baselines().insert(ChangeKey(workingCopy), baseline);
}

void ForgetBaseline(const QString& workingCopy)
{
    baselines().remove(ChangeKey(workingCopy));
}

std::optional<ChangeBaseline> BaselineOf(const QString& workingCopy)
{
    const auto it = baselines().constFind(ChangeKey(workingCopy));
    if (it == baselines().cend())
        return std::nullopt;
    return *it;
}

const std::array<const char*, 5>& WriteLeftoverSuffixes()
{
    static constexpr std::array<const char*, 5> suffixes{".tmp", ".bu", "-wal", "-shm", "-journal"};
    return suffixes;
}

bool HasWriteLeftoversBeside(const QString& target)
{
    for (const char* suffix : WriteLeftoverSuffixes()) {
        if (QFileInfo::exists(target + QLatin1String(suffix)))
            return true;
    }
    return false;
}

bool TargetIsCurrent(const QString& workingCopy, const QString& target)
{
    CTargetFolderScan scan;
    return TargetIsCurrent(workingCopy, target, scan);
}

bool TargetIsCurrent(const QString& workingCopy, const QString& target, CTargetFolderScan& scan)
{
    bool plainFile = false;
    const QString workingKey = scan.changeKey(workingCopy, &plainFile);
    const auto baseline = baselines().constFind(workingKey);
    if (baseline == baselines().cend() || !scan.hasChangeKey(target, baseline->target))
        return false;
    const auto connection =
        plainFile ? CSharedConnection::findByKey(workingKey) : CSharedConnection::find(workingCopy);
    if (connection)
        connection->readChanges();
    if (changeNumbers().value(workingKey) != baseline->changeNumber)
        return false;
    const std::optional<FileIdentity> identity = scan.identityOf(target);
    return identity && *identity == baseline->identity && !scan.hasWriteLeftoversBeside(target);
}

quint64 CChangeReading::number() const
{
    return changeNumbers().value(m_key);
}

void CChangeReading::takeReference(const QSqlDatabase& database) noexcept
{
    sqlite3* engine = SqliteEngineOf(database);
    const std::optional<quint32> version = engine && isIdle(engine) ? readDataVersion(engine) : std::nullopt;
    m_state = version ? State::Reading : State::Unreliable;
    m_reference = version.value_or(0);
}

void CChangeReading::skipOwnWork(const QSqlDatabase& database) noexcept
{
    if (m_state != State::Reading)
        return;
    sqlite3* engine = SqliteEngineOf(database);
    const std::optional<quint32> version = engine && isIdle(engine) ? readDataVersion(engine) : std::nullopt;
    if (version)
        m_reference = *version;
    else
        m_state = State::Unreliable;
}

void CChangeReading::read(const QSqlDatabase& database) noexcept
{
    if (m_state == State::Opening || m_state == State::Unused)
        return;
    sqlite3* engine = m_state == State::Reading ? SqliteEngineOf(database) : nullptr;
    if (!engine || !isIdle(engine)) {
        addChanges(m_key, 1);
        return;
    }
    const std::optional<quint32> version = readDataVersion(engine);
    if (!version) {
        addChanges(m_key, 1);
        return;
    }
    addChanges(m_key, quint32(*version - m_reference));
    m_reference = *version;
}
