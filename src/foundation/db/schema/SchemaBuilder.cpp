#include "foundation/db/schema/SchemaBuilder.h"

#include "foundation/common/NewFile.h"
#include "foundation/db/files/DiskSyncs.h"

#include <QAtomicInt>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QSqlError>
#include <QSqlQuery>
#include <array>

static void InitSchemaResources()
{
    Q_INIT_RESOURCE(foundation);
}

QString DatabaseKindName(DatabaseKind kind)
{
    switch (kind) {
    case DatabaseKind::Project:
        return QStringLiteral("project");
    case DatabaseKind::Step:
        return QStringLiteral("step");
    case DatabaseKind::Equipment:
        return QStringLiteral("equipment");
    case DatabaseKind::Material:
        return QStringLiteral("material");
    case DatabaseKind::Language:
        return QStringLiteral("language");
    case DatabaseKind::Results:
        return QStringLiteral("results");
    }
    return {};
}

quint32 ApplicationID(DatabaseKind kind)
{
    switch (kind) {
    case DatabaseKind::Project:
        return LEGACY_APPLICATION_ID;
    case DatabaseKind::Step:
        return FourCharacterID("QVST");
    case DatabaseKind::Equipment:
        return FourCharacterID("QVEQ");
    case DatabaseKind::Material:
        return FourCharacterID("QVMT");
    case DatabaseKind::Language:
        return FourCharacterID("QVLG");
    case DatabaseKind::Results:
        return FourCharacterID("QVRS");
    }
    return 0;
}

namespace {

QString ReadResource(const QString& name)
{
    InitSchemaResources();
    QFile file(name);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return QString::fromUtf8(file.readAll());
}

QString NextConnectionName()
{
    static QAtomicInt counter;
    return QStringLiteral("qv-schema-builder-%1").arg(counter.fetchAndAddRelaxed(1));
}

// A CREATE TRIGGER body holds ";" of its own; the statement ends only at "END;".
bool IsIncompleteTrigger(const QString& statement)
{
    static const QRegularExpression trigger(
        QStringLiteral("^\\s*CREATE\\s+(TEMP\\s+|TEMPORARY\\s+)?TRIGGER\\b"),
        QRegularExpression::CaseInsensitiveOption);
    static const QRegularExpression end(QStringLiteral("\\bEND\\s*$"),
                                        QRegularExpression::CaseInsensitiveOption);
    return trigger.match(statement).hasMatch() && !end.match(statement).hasMatch();
}

// Statement text without comments, so the splitter sees only SQL.
class CStatementScanner {
public:
    explicit CStatementScanner(const QString& script) : m_script(script) {}

    QStringList Statements()
    {
        while (m_pos < m_script.size())
            Step();
        Emit();
        return m_statements;
    }

private:
    void Step()
    {
        const QChar c = m_script.at(m_pos);
        if (c == u'\'' || c == u'"')
            CopyQuoted(c);
        else if (c == u'-' && NextIs(u'-'))
            SkipUntil(QStringLiteral("\n"));
        else if (c == u'/' && NextIs(u'*'))
            SkipUntil(QStringLiteral("*/"));
        else if (c == u';')
            EndStatement();
        else
            CopyPlainRun();
    }

    bool NextIs(char16_t c) const { return m_pos + 1 < m_script.size() && m_script.at(m_pos + 1) == c; }

    // The characters up to the next one that may start a quote, a comment or the statement's end.
    void CopyPlainRun()
    {
        const qsizetype start = m_pos++;
        while (m_pos < m_script.size() && !MayBeSpecial(m_script.at(m_pos)))
            ++m_pos;
        m_current += QStringView(m_script).sliced(start, m_pos - start);
    }

    static bool MayBeSpecial(QChar c)
    {
        return c == u'\'' || c == u'"' || c == u'-' || c == u'/' || c == u';';
    }

    // A doubled quote simply reopens on the next character.
    void CopyQuoted(QChar quote)
    {
        const qsizetype close = m_script.indexOf(quote, m_pos + 1);
        const qsizetype end = close < 0 ? m_script.size() : close + 1;
        m_current += QStringView(m_script).sliced(m_pos, end - m_pos);
        m_pos = end;
    }

    void SkipUntil(const QString& terminator)
    {
        const qsizetype end = m_script.indexOf(terminator, m_pos + 2);
        m_pos = end < 0 ? m_script.size() : end + terminator.size();
        m_current += u' ';
    }

    void EndStatement()
    {
        ++m_pos;
        if (IsIncompleteTrigger(m_current)) {
            m_current += u';';
            return;
        }
        Emit();
    }

    void Emit()
    {
        const QString statement = m_current.trimmed();
        if (!statement.isEmpty())
            m_statements << statement;
        m_current.clear();
    }

    const QString& m_script;
    qsizetype m_pos = 0;
    QString m_current;
    QStringList m_statements;
};

QStringList SplitCsvLine(const QString& line)
{
    return line.split(u',');
}

} // namespace

CSchemaBuilder::CSchemaBuilder(DatabaseKind kind) : m_kind(kind), m_connectionName(NextConnectionName()) {}

CSchemaBuilder::~CSchemaBuilder()
{
    if (m_open)
        Abandon();
}

QString CSchemaBuilder::SchemaText(DatabaseKind kind)
{
    return ReadResource(QStringLiteral(":/schema/%1.sql").arg(DatabaseKindName(kind)));
}

QString CSchemaBuilder::SeedText(DatabaseKind kind)
{
    const QString name = QStringLiteral(":/schema/seed/%1.sql").arg(DatabaseKindName(kind));
    return QFile::exists(name) ? ReadResource(name) : QString();
}

// The schemas are built in, so each version is read once.
int CSchemaBuilder::SchemaVersion(DatabaseKind kind)
{
    static const std::array<int, std::size(ALL_DATABASE_KINDS)> versions = [] {
        const QRegularExpression line(QStringLiteral("^-- SCHEMA_VERSION (\\d+)\\s*$"),
                                      QRegularExpression::MultilineOption);
        std::array<int, std::size(ALL_DATABASE_KINDS)> read{};
        for (DatabaseKind each : ALL_DATABASE_KINDS) {
            const QRegularExpressionMatch match = line.match(SchemaText(each));
            read[size_t(each)] = match.hasMatch() ? match.captured(1).toInt() : 0;
        }
        return read;
    }();
    return versions[size_t(kind)];
}

QStringList CSchemaBuilder::SplitStatements(const QString& script)
{
    return CStatementScanner(script).Statements();
}

QList<OperationCatalogueRow> CSchemaBuilder::ReadOperationCatalogue(QString* errorText)
{
    const QString text = ReadResource(QStringLiteral(":/data/operations.csv"));
    if (text.isEmpty()) {
        if (errorText)
            *errorText = QStringLiteral("The operation catalogue is missing.");
        return {};
    }
    return ParseOperationCatalogue(text, errorText);
}

QList<OperationCatalogueRow> CSchemaBuilder::ParseOperationCatalogue(const QString& csvText,
                                                                     QString* errorText)
{
    QList<OperationCatalogueRow> rows;
    const QStringList lines = csvText.split(u'\n');
    const qsizetype columns = SplitCsvLine(lines.value(0).trimmed()).size(); // line 0 is the header
    for (qsizetype i = 1; i < lines.size(); ++i) {
        const QString line = lines.at(i).trimmed();
        if (line.isEmpty())
            continue;
        const QStringList fields = SplitCsvLine(line);
        bool isNumber = false;
        const long id = fields.value(0).toLong(&isNumber);
        if (columns < 3 || fields.size() != columns || !isNumber || fields.at(1).trimmed().isEmpty()) {
            if (errorText)
                *errorText =
                    QStringLiteral("Operation catalogue line %1 is malformed: %2").arg(i + 1).arg(line);
            return {};
        }
        rows.append({id, fields.at(1).trimmed(), fields.at(2).trimmed()});
    }
    return rows;
}

bool CSchemaBuilder::Build(DatabaseKind kind, const QString& path, QString* errorText)
{
    CSchemaBuilder builder(kind);
    const bool built = builder.Create(path) && builder.Finish();
    if (!built && errorText)
        *errorText = builder.ErrorText();
    return built;
}

QSqlDatabase CSchemaBuilder::Database() const
{
    return QSqlDatabase::database(m_connectionName, false);
}

bool CSchemaBuilder::Fail(const QString& what, const QString& detail)
{
    m_errorText = detail.isEmpty() ? what : what + QStringLiteral(": ") + detail;
    Abandon();
    return false;
}

bool CSchemaBuilder::Create(const QString& path)
{
    m_errorText.clear();
    if (IsSymbolicLink(path)) { // the database library would create the file where a dangling link points
        m_errorText = LinkRefusedText(path);
        return false;
    }
    if (m_open || QFileInfo::exists(path)) {
        m_errorText = QStringLiteral("%1 already exists").arg(path);
        return false;
    }
    m_path = path;
    QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), m_connectionName);
    db.setDatabaseName(path);
    m_open = db.open();
    if (!m_open)
        return Fail(QStringLiteral("Cannot create %1").arg(path), db.lastError().text());
    const QString schema = SchemaText(m_kind);
    if (schema.isEmpty())
        return Fail(QStringLiteral("No schema for the %1 database").arg(DatabaseKindName(m_kind)), {});
    return SetHeaderPragmas() && Execute(QStringLiteral("BEGIN")) && RunScript(schema) &&
           RunScript(SeedText(m_kind)) && LoadOperationCatalogue() && LoadModelLibrary();
}

bool CSchemaBuilder::SetHeaderPragmas()
{
    if ((m_flushedByCaller || DiskSyncsSkipped()) && !Execute(QStringLiteral("PRAGMA synchronous = OFF")))
        return false;
    if (m_flushedByCaller && !Execute(QStringLiteral("PRAGMA journal_mode = MEMORY")))
        return false;
    return Execute(QStringLiteral("PRAGMA page_size = %1").arg(PAGE_SIZE)) &&
           Execute(QStringLiteral("PRAGMA application_id = %1").arg(ApplicationID(m_kind))) &&
           Execute(QStringLiteral("PRAGMA user_version = %1").arg(SchemaVersion(m_kind)));
}

bool CSchemaBuilder::RunScript(const QString& script)
{
    for (const QString& statement : SplitStatements(script)) {
        if (!Execute(statement))
            return false;
    }
    return true;
}

bool CSchemaBuilder::Execute(const QString& sql, const QVariantList& values)
{
    if (!m_open) {
        m_errorText = QStringLiteral("No database is being built");
        return false;
    }
    QSqlQuery query(Database());
    bool done = query.prepare(sql);
    for (qsizetype i = 0; done && i < values.size(); ++i)
        query.bindValue(int(i), values.at(i));
    done = done && query.exec();
    if (!done)
        return Fail(QStringLiteral("Statement failed in %1").arg(m_path),
                    query.lastError().text() + QStringLiteral(" [") + sql.left(200) + u']');
    return true;
}

bool CSchemaBuilder::LoadOperationCatalogue()
{
    if (m_kind != DatabaseKind::Project)
        return true;
    QString error;
    const QList<OperationCatalogueRow> rows = ReadOperationCatalogue(&error);
    if (rows.isEmpty())
        return Fail(QStringLiteral("Cannot load the operation catalogue"), error);
    const QString insert =
        QStringLiteral("INSERT INTO OperationsLibrary (OperationTypeID, OperationTypeName, "
                       "OperationDefaultLabel) VALUES (?, ?, ?)");
    for (const OperationCatalogueRow& row : rows) {
        if (!Execute(insert,
                     {qlonglong(row.operationTypeID), row.operationTypeName, row.operationDefaultLabel}))
            return false;
    }
    return true;
}

// data/models.csv: OperationTypeID, ModelTypeID, ModelName, ModelKind, after a header line.
bool CSchemaBuilder::LoadModelLibrary()
{
    if (m_kind != DatabaseKind::Project)
        return true;
    const QStringList lines = ReadResource(QStringLiteral(":/data/models.csv")).split(u'\n');
    const QString insert = QStringLiteral(
        "INSERT INTO ModelLibrary (OperationTypeID, ModelTypeID, ModelName, ModelKind) VALUES (?, ?, ?, ?)");
    for (qsizetype i = 1; i < lines.size(); ++i) {
        const QStringList fields = SplitCsvLine(lines.at(i).trimmed());
        if (fields.size() != 4)
            continue;
        if (!Execute(insert, {fields.at(0).toLongLong(), fields.at(1).toLongLong(), fields.at(2).trimmed(),
                              fields.at(3).toLongLong()}))
            return false;
    }
    return true;
}

bool CSchemaBuilder::Finish()
{
    if (!Execute(QStringLiteral("COMMIT")) || (!m_flushedByCaller && !Execute(QStringLiteral("VACUUM"))))
        return false;
    Close();
    return true;
}

void CSchemaBuilder::Abandon()
{
    Close();
    RemoveFiles();
}

void CSchemaBuilder::Close()
{
    if (!m_open)
        return;
    m_open = false;
    {
        QSqlDatabase db = QSqlDatabase::database(m_connectionName, false);
        db.close();
    }
    QSqlDatabase::removeDatabase(m_connectionName);
}

void CSchemaBuilder::RemoveFiles()
{
    if (m_path.isEmpty())
        return;
    for (const char* suffix : {"", "-journal", "-wal", "-shm"})
        QFile::remove(m_path + QLatin1String(suffix));
}

namespace {
QString RunScriptInTransaction(QSqlDatabase& db, const QString& script)
{
    if (script.isEmpty())
        return QStringLiteral("the script is empty");
    QSqlQuery query(db);
    db.transaction();
    for (const QString& statement : CSchemaBuilder::SplitStatements(script))
        if (!query.exec(statement))
            return query.lastError().text();
    query.finish();
    return db.commit() ? QString() : db.lastError().text();
}
} // namespace

// A library file of its own kind: the script in one transaction on a file that must not exist.
bool CSchemaBuilder::ReadSchemaInMemory(DatabaseKind kind, const std::function<void(const QSqlDatabase&)>& read)
{
    static QAtomicInt builds = 0;
    const QString name = QStringLiteral("schema-in-memory-%1").arg(builds.fetchAndAddRelaxed(1));
    bool made = false;
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), name);
        db.setDatabaseName(QStringLiteral(":memory:"));
        made = db.open() && RunScriptInTransaction(db, SchemaText(kind)).isEmpty();
        if (made)
            read(db);
        db.close();
    }
    QSqlDatabase::removeDatabase(name);
    return made;
}

QString CSchemaBuilder::RunScriptOnNewFile(const QString& path, const QString& script)
{
    if (QFile::exists(path))
        return QStringLiteral("%1 exists already").arg(path);
    const QString name = QStringLiteral("script-build");
    QString failure;
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), name);
        db.setDatabaseName(path);
        failure = db.open() ? RunScriptInTransaction(db, script) : db.lastError().text();
        db.close();
    }
    QSqlDatabase::removeDatabase(name);
    return failure;
}
