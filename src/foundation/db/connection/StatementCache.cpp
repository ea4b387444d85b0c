#include "foundation/db/connection/StatementCache.h"

#include "foundation/db/connection/DaoException.h"

#include <QHash>
#include <QHashFunctions>
#include <QScopeGuard>
#include <QSqlDriver>
#include <QSqlError>
#include <QSqlQuery>

#include <atomic>
#include <sqlite3.h>
#include <unordered_map>

namespace {

// The engine handle under a connection of the SQLite driver.
sqlite3* EngineOf(const QSqlDatabase& database)
{
    const QVariant handle = database.driver() ? database.driver()->handle() : QVariant();
    if (!handle.isValid() || qstrcmp(handle.typeName(), "sqlite3*") != 0)
        throw CDaoException(QStringLiteral("The database is not open."));
    sqlite3* engine = *static_cast<sqlite3* const*>(handle.constData());
    if (!engine)
        throw CDaoException(QStringLiteral("The database is not open."));
    return engine;
}

[[noreturn]] void Fail(sqlite3* engine)
{
    throw CDaoException(QString::fromUtf8(sqlite3_errmsg(engine)));
}

// Binds as the SQLite driver does: numbers as numbers, bytes as a blob, anything else as text.
int Bind(sqlite3_stmt* statement, int index, const QVariant& value)
{
    if (value.isNull())
        return sqlite3_bind_null(statement, index);
    switch (value.typeId()) {
    case QMetaType::Bool:
    case QMetaType::Int:
    case QMetaType::Short:
    case QMetaType::Char:
    case QMetaType::UInt:
    case QMetaType::Long:
    case QMetaType::LongLong:
    case QMetaType::ULong:
    case QMetaType::ULongLong:
        return sqlite3_bind_int64(statement, index, value.toLongLong());
    case QMetaType::Double:
    case QMetaType::Float:
        return sqlite3_bind_double(statement, index, value.toDouble());
    case QMetaType::QByteArray: {
        const QByteArray bytes = value.toByteArray();
        return sqlite3_bind_blob64(statement, index, bytes.constData(), sqlite3_uint64(bytes.size()),
                                   SQLITE_TRANSIENT);
    }
    default: {
        const QString text = value.toString();
        return sqlite3_bind_text16(statement, index, text.utf16(), int(text.size() * 2), SQLITE_TRANSIENT);
    }
    }
}

// A run of one statement: its first step is taken before the reader sees it. The statement is
// reset and its values cleared when the run ends, however it ends.
class CStatementRun : public KeptResult {
public:
    CStatementRun(sqlite3* engine, sqlite3_stmt* statement) : m_engine(engine), m_statement(statement) {}
    ~CStatementRun() override
    {
        sqlite3_reset(m_statement);
        sqlite3_clear_bindings(m_statement);
    }
    CStatementRun(const CStatementRun&) = delete;
    CStatementRun& operator=(const CStatementRun&) = delete;

    void bind(const QVariantList& values)
    {
        for (qsizetype i = 0; i < values.size(); ++i) {
            if (Bind(m_statement, int(i) + 1, values.at(i)) != SQLITE_OK)
                Fail(m_engine);
        }
    }
    void start()
    {
        step();
        // The engine's count is the last write's: a read changed nothing.
        m_changes = sqlite3_stmt_readonly(m_statement) ? 0 : sqlite3_changes64(m_engine);
        m_lastInsertId = sqlite3_last_insert_rowid(m_engine);
    }

    long long lastInsertId() const override { return m_lastInsertId; }
    long long rowsAffected() const override { return m_changes; }
    bool next() override
    {
        if (m_first) {
            m_first = false;
            return m_hasRow;
        }
        if (m_hasRow)
            step();
        return m_hasRow;
    }
    QVariant value(int column) const override
    {
        switch (sqlite3_column_type(m_statement, column)) {
        case SQLITE_INTEGER:
            return qlonglong(sqlite3_column_int64(m_statement, column));
        case SQLITE_FLOAT:
            return sqlite3_column_double(m_statement, column);
        case SQLITE_BLOB:
            return QByteArray(static_cast<const char*>(sqlite3_column_blob(m_statement, column)),
                              sqlite3_column_bytes(m_statement, column));
        case SQLITE_TEXT: // stored as UTF-8: decoded here, faster than the engine's own UTF-16 copy
            return QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_column_text(m_statement, column)),
                                     sqlite3_column_bytes(m_statement, column));
        default:
            return QVariant(QMetaType::fromType<QString>());
        }
    }

private:
    void step()
    {
        const int result = sqlite3_step(m_statement);
        if (result != SQLITE_ROW && result != SQLITE_DONE)
            Fail(m_engine);
        m_hasRow = result == SQLITE_ROW;
    }

    sqlite3* m_engine;
    sqlite3_stmt* m_statement;
    bool m_hasRow = false;
    bool m_first = true;
    long long m_changes = 0;
    long long m_lastInsertId = 0;
};

} // namespace

namespace {

// Keys are compared whole on a hit anyway: a text is hashed by its length and its two ends, enough
// to tell apart the few dozen statements of a connection without reading a whole SQL text per run.
constexpr qsizetype HASHED_END = 24;

size_t HashEnds(const QString& text, size_t seed)
{
    const QStringView view(text);
    if (view.size() <= 2 * HASHED_END)
        return qHash(view, seed);
    return qHashMulti(seed, view.size(), view.first(HASHED_END), view.last(HASHED_END));
}

size_t HashEnds(const QStringList& texts, size_t seed)
{
    seed = qHash(texts.size(), seed);
    for (const QString& text : texts)
        seed = HashEnds(text, seed);
    return seed;
}

} // namespace

size_t StatementKeyHash::operator()(const StatementKey& key) const
{
    size_t seed = qHashMulti(0, int(key.kind), key.table);
    seed = HashEnds(key.columns, seed);
    seed = HashEnds(key.keys, seed);
    return HashEnds(key.returned, seed);
}

struct CStatementCache::Kept {
    struct Finalizer {
        void operator()(sqlite3_stmt* statement) const { sqlite3_finalize(statement); }
    };
    using Statement = std::unique_ptr<sqlite3_stmt, Finalizer>;
    using TableColumns = QHash<QString, UnsetValue>; // by column name as declared and in lower case

    static TableColumns readColumns(const QSqlDatabase& database, const QString& table);

    std::unordered_map<StatementKey, Statement, StatementKeyHash> statements;
    QHash<QString, TableColumns> tables; // by table name as the caller writes it
};

CStatementCache::CStatementCache() : m_kept(std::make_unique<Kept>()) {}

CStatementCache::~CStatementCache() = default;

size_t CStatementCache::size() const
{
    return m_kept->statements.size();
}

void CStatementCache::clear()
{
    m_kept->statements.clear();
}

void CStatementCache::forgetTables()
{
    m_kept->tables.clear();
    m_generation = NextGeneration();
}

sqlite3_stmt* CStatementCache::prepared(sqlite3* engine, const StatementKey& key, const SqlBuilder& sql)
{
    const auto found = m_kept->statements.find(key);
    if (found != m_kept->statements.end())
        return found->second.get();
    const QByteArray text = sql().toUtf8();
    sqlite3_stmt* statement = nullptr;
    if (sqlite3_prepare_v3(engine, text.constData(), int(text.size()), SQLITE_PREPARE_PERSISTENT, &statement,
                           nullptr) != SQLITE_OK) {
        sqlite3_finalize(statement);
        Fail(engine);
    }
    if (m_kept->statements.size() >= LIMIT && m_running == 0)
        clear();
    return m_kept->statements.emplace(key, Kept::Statement(statement)).first->second.get();
}

void CStatementCache::run(const QSqlDatabase& database, const StatementKey& key, const SqlBuilder& sql,
                          const QVariantList& values, const RowReader& read)
{
    sqlite3* engine = EngineOf(database);
    CStatementRun run(engine, prepared(engine, key, sql));
    run.bind(values);
    run.start();
    if (read) {
        ++m_running;
        const auto done = qScopeGuard([this] { --m_running; });
        read(run);
    }
}

CStatementCache::Kept::TableColumns CStatementCache::Kept::readColumns(const QSqlDatabase& database,
                                                                      const QString& table)
{
    QSqlQuery query(database);
    query.setForwardOnly(true);
    query.prepare(QStringLiteral("WITH info AS (SELECT * FROM pragma_table_info(?))"
                                 " SELECT name, type, dflt_value IS NOT NULL, pk,"
                                 " (SELECT count(*) FROM info WHERE pk > 0) FROM info"));
    query.bindValue(0, table);
    if (!query.exec())
        throw CDaoException::fromSqlError(query.lastError());
    TableColumns columns;
    while (query.next()) {
        const bool rowId =
            query.value(3).toInt() > 0 && query.value(4).toInt() == 1 &&
            query.value(1).toString().compare(QLatin1String("INTEGER"), Qt::CaseInsensitive) == 0;
        const bool hasDefault = query.value(2).toBool();
        const UnsetValue value = rowId        ? UnsetValue::RowId
                                 : hasDefault ? UnsetValue::Default
                                              : UnsetValue::Null;
        const QString name = query.value(0).toString();
        columns.insert(name, value);
        columns.insert(name.toLower(), value);
    }
    return columns;
}

quint64 CStatementCache::NextGeneration()
{
    static std::atomic<quint64> last{0};
    return ++last;
}

UnsetValue CStatementCache::unsetValue(const QSqlDatabase& database, const QString& table,
                                       const QString& column)
{
    auto found = m_kept->tables.find(table);
    if (found == m_kept->tables.end())
        found = m_kept->tables.insert(table, Kept::readColumns(database, table));
    const auto named = found->constFind(column);
    return named != found->cend() ? *named : found->value(column.toLower(), UnsetValue::Default);
}
