#include "foundation/db/connection/SharedConnection.h"

#include "foundation/common/NewFile.h"
#include "foundation/db/connection/CanonicalPaths.h"
#include "foundation/db/connection/DaoException.h"
#include "foundation/db/files/DatabaseHeader.h"
#include "foundation/db/files/DiskSyncs.h"
#include "foundation/db/connection/SharedDatabaseStore.h"

#include <QAtomicInteger>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QSqlDatabase>
#include <QSqlDriver>
#include <QSqlError>
#include <QSqlQuery>

#include <sqlite3.h>
#include <sys/stat.h>

namespace {

QHash<QString, std::weak_ptr<CSharedConnection>>& registry()
{
    return GetSharedDatabaseStore().connections;
}

// Before the engine starts: no connection takes a block of twenty pages up front. A step
// connection reads a few pages, and that block would stay with it until it closes.
[[maybe_unused]] const bool engineConfigured = sqlite3_config(SQLITE_CONFIG_PAGECACHE, nullptr, 0, 0) == SQLITE_OK;
// Nor does the engine count every allocation in process-wide totals under a lock: nothing reads
// them, and the first statement on a step parses its schema in thousands of allocations.
[[maybe_unused]] const bool allocationsUncounted = sqlite3_config(SQLITE_CONFIG_MEMSTATUS, 0) == SQLITE_OK;

// The pages a step connection nobody is viewing or editing keeps (the engine's default otherwise).
constexpr int SMALL_PAGE_CACHE = 16;
constexpr int DEFAULT_PAGE_CACHE = -2000; // in KiB, as SQLite's own default

QString nextConnectionName()
{
    static quint64 counter = 0;
    return QStringLiteral("qv_dao_%1").arg(++counter);
}

// A URI so that SQLite itself refuses to create a missing file (mode=ro / mode=rw, never rwc).
QString openUri(const QString& path, DatabaseRole role)
{
    QString escaped = path;
    escaped.replace(QLatin1Char('%'), QLatin1String("%25"))
        .replace(QLatin1Char('?'), QLatin1String("%3F"))
        .replace(QLatin1Char('#'), QLatin1String("%23"));
    const QLatin1String mode(role == DatabaseRole::ReadOnly ? "ro" : "rw");
    return QStringLiteral("file:") + escaped + QStringLiteral("?mode=") + mode;
}

// One look at the file (links followed): it must be a regular file that is not empty. The engine
// writes a database and the logs beside it in place, and a read-only connection still writes the
// shared-memory file: none of them may be a file of other names (a hard link to a file elsewhere),
// which would change under each of its names.
void checkFile(const QString& path, DatabaseRole role)
{
    struct stat status {};
    if (::stat(QFile::encodeName(path).constData(), &status) != 0 || !S_ISREG(status.st_mode))
        throw CDaoException(QStringLiteral("Could not find file '%1'.").arg(path));
    if (status.st_size == 0)
        throw CDaoException(QStringLiteral("The file '%1' is not a database: it is empty.").arg(path));
    if (role != DatabaseRole::ReadOnly && status.st_nlink > 1)
        throw CDaoException(HardLinkRefusedText(path));
    for (const char* side : {"-wal", "-shm", "-journal"}) {
        if (HasOtherNames(path + QLatin1String(side)))
            throw CDaoException(HardLinkRefusedText(path + QLatin1String(side)));
    }
}

bool isSchemaChange(const QString& sql)
{
    const QStringView statement = QStringView(sql).trimmed();
    for (const char* verb : {"CREATE", "ALTER", "DROP"}) {
        if (statement.startsWith(QLatin1String(verb), Qt::CaseInsensitive))
            return true;
    }
    return false;
}

// A statement that reads only: a SELECT, or a PRAGMA that sets nothing. Anything else may write.
bool isRead(const QString& sql)
{
    const QStringView statement = QStringView(sql).trimmed();
    if (statement.startsWith(QLatin1String("SELECT"), Qt::CaseInsensitive))
        return true;
    return statement.startsWith(QLatin1String("PRAGMA"), Qt::CaseInsensitive) && !statement.contains(QLatin1Char('='));
}

bool isStronger(DatabaseRole wanted, DatabaseRole have)
{
    return wanted != DatabaseRole::ReadOnly && have == DatabaseRole::ReadOnly;
}

} // namespace

bool ReadAsUnchangeable(const QString& path, const std::function<void(const QSqlDatabase&)>& read, QString* error)
{
    static QAtomicInteger<quint64> opened = 0;
    const QString name = QStringLiteral("qv_unchangeable_%1").arg(opened.fetchAndAddRelaxed(1));
    bool open = false;
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), name);
        db.setDatabaseName(openUri(path, DatabaseRole::ReadOnly) + QStringLiteral("&immutable=1"));
        db.setConnectOptions(QStringLiteral("QSQLITE_OPEN_URI;QSQLITE_OPEN_READONLY"));
        if (db.open()) {
            QSqlQuery untrusted(db);
            open = untrusted.exec(QStringLiteral("PRAGMA trusted_schema = OFF"));
            if (!open && error)
                *error = untrusted.lastError().databaseText();
        } else if (error) {
            *error = db.lastError().databaseText();
        }
        if (open)
            read(db);
        db.close();
    }
    QSqlDatabase::removeDatabase(name);
    return open;
}

QString CSharedConnection::registryKey(const QString& path)
{
    const QString canonical = CanonicalFilePath(path);
    return canonical.isEmpty() ? QDir::cleanPath(QFileInfo(path).absoluteFilePath()) : canonical;
}

std::shared_ptr<CSharedConnection> CSharedConnection::find(const QString& path)
{
    return findByKey(registryKey(path));
}

std::shared_ptr<CSharedConnection> CSharedConnection::findByKey(const QString& key)
{
    return registry().value(key).lock();
}

std::shared_ptr<CSharedConnection> CSharedConnection::acquire(const QString& path, DatabaseRole role)
{
    const QString key = registryKey(path);
    if (auto shared = findByKey(key)) {
        if (isStronger(role, shared->role()))
            throw CDaoException(QStringLiteral("The database '%1' is already open read-only.").arg(path));
        return shared;
    }
    checkFile(path, role);
    std::shared_ptr<CSharedConnection> connection(new CSharedConnection(key, role));
    connection->open();
    registry().insert(connection->m_path, connection);
    return connection;
}

CSharedConnection::CSharedConnection(const QString& path, DatabaseRole role)
    : m_path(path), m_name(nextConnectionName()), m_role(role)
{
}

CSharedConnection::~CSharedConnection()
{
    auto& connections = registry();
    const auto it = connections.constFind(m_path);
    if (it != connections.cend() && it->expired())
        connections.erase(it);
    m_statements.clear();
    if (m_depth > 0)
        rollbackQuietly(QStringLiteral("ROLLBACK"));
    m_changes.read(handle());
    discard();
}

QSqlDatabase CSharedConnection::database()
{
    if (m_setupDeferred)
        completeSetup();
    QSqlDatabase db = handle();
    m_changes.beforeStatement(db);
    return db;
}

// The first statement of a working copy opened without a read, or of one whose handle was given
// back: the engine handle, its flushing level and its page cache.
void CSharedConnection::completeSetup()
{
    if (!handle().isValid())
        connectHandle();
    m_setupDeferred = false;
    setSynchronousLevel();
    if (m_smallPageCache)
        applyPageCacheSize();
}

void CSharedConnection::setSmallPageCache(bool small)
{
    if (std::exchange(m_smallPageCache, small) == small)
        return;
    if (!m_setupDeferred)
        applyPageCacheSize();
}

void CSharedConnection::applyPageCacheSize()
{
    QSqlQuery query(handle());
    query.exec(QStringLiteral("PRAGMA cache_size=%1").arg(m_smallPageCache ? SMALL_PAGE_CACHE : DEFAULT_PAGE_CACHE));
}

// Nothing is cached before the first statement. The kept statements go too: texts regenerated on
// every step would otherwise leave each idle connection holding theirs.
void CSharedConnection::releaseMemory()
{
    if (m_setupDeferred)
        return;
    m_statements.releaseIdle();
    if (sqlite3* engine = SqliteEngineOf(handle()))
        sqlite3_db_release_memory(engine);
}

// A working copy that has only been read is still in rollback form: closing its engine handle
// writes nothing and creates no file, and gives back its parsed schema and caches as well. It is
// closed only while no statement is prepared on it; the next statement opens it again.
void CSharedConnection::releaseHandleIfOnlyRead()
{
    if (m_setupDeferred)
        return;
    m_statements.releaseIdle();
    sqlite3* engine = SqliteEngineOf(handle());
    if (!m_walDeferred || m_depth > 0 || !engine || sqlite3_next_stmt(engine, nullptr)) {
        releaseMemory();
        return;
    }
    m_changes.read(handle());
    m_changes.handleClosed();
    discard();
    m_setupDeferred = true;
}

QSqlDatabase CSharedConnection::handle() const
{
    return QSqlDatabase::database(m_name, false);
}

void CSharedConnection::open()
{
    if (m_role == DatabaseRole::WorkingCopy && deferSetup()) {
        m_changes.openDone();
        return;
    }
    connectHandle();
    try {
        if (m_role == DatabaseRole::WorkingCopy) {
            validate();
            setSynchronousLevel();
            switchToWriteAheadLog();
        } else {
            validate();
            if (DiskSyncsSkipped()) // a copy made from this connection (VACUUM INTO) takes its level
                setSynchronousLevel();
        }
    } catch (const CDaoException&) {
        discard();
        throw;
    }
    m_changes.openDone();
}

void CSharedConnection::connectHandle()
{
    QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), m_name);
    db.setDatabaseName(openUri(m_path, m_role));
    QString options = QStringLiteral("QSQLITE_OPEN_URI");
    if (m_role == DatabaseRole::ReadOnly)
        options += QStringLiteral(";QSQLITE_OPEN_READONLY");
    db.setConnectOptions(options);
    if (!db.open()) {
        const CDaoException error = CDaoException::fromSqlError(db.lastError(), m_path);
        db = QSqlDatabase();
        discard();
        throw error;
    }
}

// A working copy the layer wrote (a database alone in its file) is opened without a read and
// without an engine handle: both wait for the first statement, as the flushing level does, which
// reads the schema. One in rollback form (as the layer copies) stays so while it is only read, so
// that a pass over a project's steps creates no file and writes nothing; it turns to write-ahead
// logging before its first write (beforeWrite). One in write-ahead-log form creates its -wal and
// -shm at its first read. False for any other file: it is opened and checked at once.
bool CSharedConnection::deferSetup()
{
    const std::optional<DatabaseHeader> header = ReadStandaloneHeader(m_path);
    if (!header)
        return false;
    m_setupDeferred = true;
    m_walDeferred = header->journalFormat == JournalFormat::Rollback;
    return true;
}

// Outside a transaction only: the switch writes the header through the rollback journal. A write
// that cannot be preceded by it (in a transaction begun without begin(), or while another handle
// reads the file) goes through that journal, as durable at EXTRA; the switch is tried again at the
// next write. The switch itself changes no data: it never counts as a change of the copy.
void CSharedConnection::beforeWrite()
{
    if (!m_walDeferred || m_depth > 0)
        return;
    const QSqlDatabase db = database();
    sqlite3* engine = SqliteEngineOf(db);
    if (!engine || sqlite3_get_autocommit(engine) == 0)
        return;
    m_changes.read(db);
    QSqlQuery mode(db);
    m_walDeferred = !(mode.exec(QStringLiteral("PRAGMA journal_mode=WAL")) && mode.next() &&
                      mode.value(0).toString().compare(QLatin1String("wal"), Qt::CaseInsensitive) == 0);
    mode.finish();
    m_changes.skipOwnWork(db);
}

// A working copy flushes its log at every commit: a commit that returned survives a power loss, and
// the commits of one action, made one after the other, come back in their order. EXTRA is FULL in
// write-ahead-log form; in rollback form it also flushes the folder once the journal is deleted,
// without which a power loss could bring the journal back and undo the commit. A test process that
// skips the layer's flushes (DiskSyncs.h) writes without any.
void CSharedConnection::setSynchronousLevel()
{
    const QString level = DiskSyncsSkipped()                  ? QStringLiteral("OFF")
                          : m_role == DatabaseRole::WorkingCopy ? QStringLiteral("EXTRA")
                                                                : QStringLiteral("FULL");
    QSqlQuery query(handle());
    if (!query.exec(QStringLiteral("PRAGMA synchronous=") + level))
        throw CDaoException(QStringLiteral("The file '%1' is not a database: %2")
                                .arg(m_path, query.lastError().databaseText()));
}

// SQLite opens lazily: the first read of the schema tells a database from any other file.
void CSharedConnection::validate()
{
    QSqlQuery query(handle());
    if (!query.exec(QStringLiteral("SELECT count(*) FROM sqlite_master"))) {
        throw CDaoException(QStringLiteral("The file '%1' is not a database: %2")
                                .arg(m_path, query.lastError().databaseText()));
    }
}

void CSharedConnection::switchToWriteAheadLog()
{
    QSqlQuery mode = exec(QStringLiteral("PRAGMA journal_mode=WAL"));
    if (!mode.next() || mode.value(0).toString().compare(QLatin1String("wal"), Qt::CaseInsensitive) != 0)
        throw CDaoException(
            QStringLiteral("The working copy '%1' cannot use write-ahead logging.").arg(m_path));
    mode.finish();
}

// The kept statements are finalised first: a connection removed with live statements would be
// closed under them.
void CSharedConnection::discard()
{
    m_statements.clear();
    {
        QSqlDatabase db = handle();
        if (!db.isValid())
            return;
        db.close();
    }
    QSqlDatabase::removeDatabase(m_name);
}

QSqlQuery CSharedConnection::exec(const QString& sql, const QVariantList& values)
{
    if (m_walDeferred && !isRead(sql))
        beforeWrite();
    QSqlQuery query(database());
    query.setForwardOnly(true);
    bool ok = query.prepare(sql);
    for (qsizetype i = 0; ok && i < values.size(); ++i)
        query.bindValue(int(i), values.at(i));
    ok = ok && query.exec();
    if (!ok)
        throw CDaoException::fromSqlError(query.lastError());
    m_recordsAffected = query.isSelect() ? 0 : query.numRowsAffected();
    if (isSchemaChange(sql))
        m_statements.forgetTables();
    return query;
}

void CSharedConnection::execKept(const StatementKey& key, const CStatementCache::SqlBuilder& sql,
                                 const QVariantList& values, const CStatementCache::RowReader& read)
{
    if (key.kind != StatementKind::Select)
        beforeWrite();
    m_statements.run(database(), key, sql, values, [&](KeptResult& result) {
        m_recordsAffected = long(result.rowsAffected());
        if (read)
            read(result);
    });
}

void CSharedConnection::begin()
{
    exec(m_depth == 0 ? QStringLiteral("BEGIN") : QStringLiteral("SAVEPOINT qv_level_%1").arg(m_depth));
    if (++m_depth == 1)
        m_busy.emplace();
}

void CSharedConnection::commit()
{
    if (m_depth == 0)
        throw CDaoException(QStringLiteral("There is no transaction to commit."));
    exec(m_depth == 1 ? QStringLiteral("COMMIT") : QStringLiteral("RELEASE qv_level_%1").arg(m_depth - 1));
    if (--m_depth == 0)
        m_busy.reset();
}

void CSharedConnection::rollback()
{
    if (m_depth == 0)
        throw CDaoException(QStringLiteral("There is no transaction to roll back."));
    if (m_depth == 1) {
        rollbackQuietly(QStringLiteral("ROLLBACK"));
    } else {
        const QString savepoint = QStringLiteral("qv_level_%1").arg(m_depth - 1);
        rollbackQuietly(QStringLiteral("ROLLBACK TO ") + savepoint);
        rollbackQuietly(QStringLiteral("RELEASE ") + savepoint);
    }
    if (--m_depth == 0)
        m_busy.reset();
}

// The engine may already have rolled the whole transaction back after a hard error; a rollback
// that finds nothing to undo is then no failure.
void CSharedConnection::rollbackQuietly(const QString& sql)
{
    QSqlQuery query(handle());
    query.exec(sql);
}
