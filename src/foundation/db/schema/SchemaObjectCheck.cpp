#include "foundation/db/schema/SchemaObjectCheck.h"

#include "foundation/db/connection/DaoDatabase.h"
#include "foundation/db/connection/DaoException.h"
#include "foundation/db/files/DatabaseFiles.h"
#include "foundation/db/schema/SchemaConstructs.h"
#include "foundation/db/schema/SchemaStatementParts.h"
#include "foundation/db/schema/SchemaTableReader.h"
#include "foundation/db/connection/SharedConnection.h"

#include <QDir>
#include <QFile>
#include <QHash>
#include <QRegularExpression>
#include <QSet>
#include <QSqlError>
#include <QSqlQuery>

#include <algorithm>
#include <array>
#include <mutex>
#include <optional>

namespace {
// The name of an object a statement creates, or the new name of a renamed table.
const QRegularExpression CREATED(
    QStringLiteral("^\\s*(?:CREATE\\s+(?:TEMP(?:ORARY)?\\s+)?(?:UNIQUE\\s+)?(TABLE|VIEW|TRIGGER|INDEX)\\s+"
                   "(?:IF\\s+NOT\\s+EXISTS\\s+)?|ALTER\\s+TABLE\\s+\\S+\\s+RENAME\\s+TO\\s+)"
                   "(\"(?:[^\"]|\"\")+\"|\\[[^\\]]+\\]|`[^`]+`|[A-Za-z_][A-Za-z0-9_$]*)"),
    QRegularExpression::CaseInsensitiveOption);
// The table a column is added to.
const QRegularExpression ADDED_TO(
    QStringLiteral("^\\s*ALTER\\s+TABLE\\s+(\"(?:[^\"]|\"\")+\"|\\[[^\\]]+\\]|`[^`]+`|[A-Za-z_][A-Za-z0-9_$]*)\\s+ADD\\b"),
    QRegularExpression::CaseInsensitiveOption);

QString Unquoted(const QString& name)
{
    if (name.size() >= 2 && QStringLiteral("\"[`").contains(name.front()))
        return name.mid(1, name.size() - 2).replace(QStringLiteral("\"\""), QStringLiteral("\""));
    return name;
}

bool IsAsciiSpace(QChar c)
{
    return c == u' ' || (c >= u'\t' && c <= u'\r');
}

// Text compared without comments, runs of white space or a closing semicolon: the file keeps a
// statement as it was written, the schema files may lay it out differently. A "--" starts a
// comment wherever it stands.
QString Normalized(const QString& sql)
{
    QString out;
    out.reserve(sql.size());
    bool pendingSpace = false;
    for (qsizetype i = 0; i < sql.size(); ++i) {
        const QChar c = sql.at(i);
        if (c == u'-' && i + 1 < sql.size() && sql.at(i + 1) == u'-') {
            const qsizetype newline = sql.indexOf(u'\n', i + 2);
            i = (newline < 0 ? sql.size() : newline) - 1;
        } else if (IsAsciiSpace(c)) {
            pendingSpace = !out.isEmpty();
        } else {
            if (pendingSpace)
                out += u' ';
            pendingSpace = false;
            out += c;
        }
    }
    out = out.trimmed();
    if (out.endsWith(u';'))
        out.chop(1);
    return out.trimmed();
}

struct OurSchema {
    QHash<QString, QString> typeOfName;        // lower-case name -> "table", "view", ...
    QHash<QString, QString> keyOfName;         // a name as our scripts write it -> its lower-case key
    QHash<QString, QSet<QString>> textsOfName; // views and triggers: every text they were given
    QHash<QString, QString> baseStatement;     // views and triggers: the base file's statement
    QSet<QString> tables;                      // lower-case names of our tables
    SchemaConstructs constructs;               // what the engine loads of the base file, CHECKs of any level
};

// The CHECKs a statement gives the table it creates or adds a column to.
void AddCheckExpressions(OurSchema& schema, const QString& table, const QString& statement)
{
    for (const QString& check : ReadStatementParts(statement, true).checks)
        schema.constructs.checks[table].insert(check);
}

void AddScript(OurSchema& schema, const QString& script, bool base)
{
    for (const QString& statement : CSchemaBuilder::SplitStatements(script)) {
        if (const QRegularExpressionMatch added = ADDED_TO.match(statement); added.hasMatch())
            AddCheckExpressions(schema, Unquoted(added.captured(1)).toLower(), statement);
        const QRegularExpressionMatch match = CREATED.match(statement);
        if (!match.hasMatch())
            continue;
        const QString type =
            match.captured(1).isEmpty() ? QStringLiteral("table") : match.captured(1).toLower();
        const QString written = Unquoted(match.captured(2));
        const QString name = written.toLower();
        schema.keyOfName.insert(written, name);
        schema.typeOfName.insert(name, type);
        if (type == QLatin1String("table")) {
            schema.tables.insert(name);
            AddCheckExpressions(schema, name, statement);
        }
        if (!RunsStatements(type))
            continue;
        schema.textsOfName[name].insert(Normalized(statement));
        if (base)
            schema.baseStatement.insert(name, statement);
    }
}

// The constructs of the base file as the engine loads them, from a database built in memory; the
// CHECKs the scripts give stay beside the loaded ones (a migration may have given a table one).
void AddLoadedConstructs(OurSchema& schema, DatabaseKind kind)
{
    CSchemaBuilder::ReadSchemaInMemory(kind, [&schema](const QSqlDatabase& database) {
        const std::optional<SchemaConstructs> loaded = ReadSchemaConstructs(database);
        if (!loaded)
            return;
        const QHash<QString, QSet<QString>> scripted = schema.constructs.checks;
        schema.constructs = *loaded;
        for (auto checks = scripted.cbegin(); checks != scripted.cend(); ++checks)
            schema.constructs.checks[checks.key()].unite(checks.value());
    });
}

OurSchema ReadOurSchema(DatabaseKind kind)
{
    OurSchema schema;
    AddScript(schema, CSchemaBuilder::SchemaText(kind), true);
    const QDir migrations(QStringLiteral(":/schema/migrations/") + DatabaseKindName(kind));
    for (const QString& name : migrations.entryList({QStringLiteral("*.sql")}, QDir::Files, QDir::Name)) {
        QFile file(migrations.filePath(name));
        if (file.open(QIODevice::ReadOnly))
            AddScript(schema, QString::fromUtf8(file.readAll()), false);
    }
    AddLoadedConstructs(schema, kind);
    return schema;
}

// Each kind is read the first time a file of it is looked at.
const OurSchema& OurSchemaOf(DatabaseKind kind)
{
    static std::array<OurSchema, std::size(ALL_DATABASE_KINDS)> schemas;
    static std::array<std::once_flag, std::size(ALL_DATABASE_KINDS)> read;
    std::call_once(read[size_t(kind)], [kind] { schemas[size_t(kind)] = ReadOurSchema(kind); });
    return schemas[size_t(kind)];
}

enum class Standing { Ours, Stale, Foreign };

// A file of ours names its objects as our scripts do: the key is found without folding case.
QString KeyOf(const OurSchema& schema, const QString& name)
{
    const auto written = schema.keyOfName.constFind(name);
    return written != schema.keyOfName.cend() ? *written : name.toLower();
}

// Texts of our views and triggers already matched to ours once, by object: the same text found in
// the next file is ours without being normalised again. Bounded, so that files of another making
// cannot grow it without end.
class MatchedTexts {
public:
    bool Contains(const QString& key, const QString& sql)
    {
        const std::lock_guard lock(m_mutex);
        const auto found = m_texts.constFind(sql);
        return found != m_texts.cend() && *found == key;
    }
    void Add(const QString& key, const QString& sql)
    {
        const std::lock_guard lock(m_mutex);
        if (m_texts.size() < LIMIT)
            m_texts.insert(sql, key);
    }

private:
    static constexpr qsizetype LIMIT = 1024;
    std::mutex m_mutex;
    QHash<QString, QString> m_texts; // text -> the key of the object it was ours for
};

MatchedTexts& MatchedTextsOf(DatabaseKind kind)
{
    static std::array<MatchedTexts, std::size(ALL_DATABASE_KINDS)> texts;
    return texts[size_t(kind)];
}

Standing StandingOfText(const OurSchema& schema, MatchedTexts& matched, const QString& key, const QString& sql)
{
    if (matched.Contains(key, sql))
        return Standing::Ours;
    if (!schema.textsOfName.value(key).contains(Normalized(sql)))
        return Standing::Stale;
    matched.Add(key, sql);
    return Standing::Ours;
}

Standing StandingOf(const OurSchema& schema, MatchedTexts& matched, const QString& type, const QString& name,
                    const QString& sql)
{
    const QString key = KeyOf(schema, name);
    const auto ours = schema.typeOfName.constFind(key);
    const bool known = ours != schema.typeOfName.constEnd();
    if (RunsStatements(type))
        return known && *ours == type ? StandingOfText(schema, matched, key, sql) : Standing::Foreign;
    // Tables and indexes of other names run nothing; one in the place of our view or trigger, or
    // anything but a table under our table's name, is refused.
    const bool displaces = known && *ours != type && (RunsStatements(*ours) || *ours == QLatin1String("table"));
    return displaces ? Standing::Foreign : Standing::Ours;
}

QString Described(const QString& type, const QString& name)
{
    return QStringLiteral("the %1 \"%2\" is not one of ours").arg(type, name);
}

// Takes the rows of sqlite_master one by one until the first foreign object.
class SchemaObjectReviewer {
public:
    explicit SchemaObjectReviewer(DatabaseKind kind) : m_schema(OurSchemaOf(kind)), m_matched(MatchedTextsOf(kind))
    {
    }
    // False once a foreign object was found: nothing more needs reading.
    bool Add(const QString& storedType, const QString& name, const QString& sql)
    {
        const QString type = storedType.toLower(); // as the engine takes it
        const Standing standing = StandingOf(m_schema, m_matched, type, name, sql);
        if (standing == Standing::Foreign)
            m_review.foreign = Described(type, name);
        else if (standing == Standing::Stale)
            m_review.stale.append({type, name});
        return m_review.foreign.isEmpty();
    }
    // Once the objects pass: a table of ours, or an index on one, that runs code where ours does not.
    void AddConstructs(const SchemaConstructs& file)
    {
        if (m_review.foreign.isEmpty())
            m_review.foreign = ConstructBeyondOurs(file, m_schema.constructs, m_schema.tables);
        m_review.missing = ColumnMissingFromOurs(file, m_schema.constructs, m_schema.tables);
    }
    void SetUnreadable(const QString& reason) { m_review.unreadable = reason; }
    const SchemaObjectReview& Result() const { return m_review; }

private:
    const OurSchema& m_schema;
    MatchedTexts& m_matched;
    SchemaObjectReview m_review;
};

// Schemas the engine loaded and found ours, by their records as stored, each with what the review
// of its rows answered: the engine loads the same schema from the same records, the same rows give
// the same answer, and the step files of a project share theirs, so each is reviewed once. The
// records themselves are kept, not a hash of them: comparing them costs less than hashing, and no
// other schema can pass for one of them. Bounded, so that files of another making cannot grow it
// without end.
class LoadedSchemas {
public:
    std::optional<SchemaObjectReview> Find(const QByteArray& records)
    {
        const std::lock_guard lock(m_mutex);
        const auto found = m_reviews.constFind(records);
        return found != m_reviews.cend() ? std::optional(*found) : std::nullopt;
    }
    void Add(const QByteArray& records, const SchemaObjectReview& review)
    {
        const std::lock_guard lock(m_mutex);
        if (m_reviews.size() < LIMIT && m_bytes + records.size() <= BYTE_LIMIT && !m_reviews.contains(records)) {
            m_reviews.insert(records, review);
            m_bytes += records.size();
        }
    }

private:
    static constexpr qsizetype LIMIT = 256;
    static constexpr qsizetype BYTE_LIMIT = 8 << 20;
    std::mutex m_mutex;
    QHash<QByteArray, SchemaObjectReview> m_reviews;
    qsizetype m_bytes = 0;
};

LoadedSchemas& LoadedSchemasOf(DatabaseKind kind)
{
    static std::array<LoadedSchemas, std::size(ALL_DATABASE_KINDS)> schemas;
    return schemas[size_t(kind)];
}

// From the file's pages, no schema parsed; nullopt where the page reader gives up. records gets
// the records of the rows reviewed.
std::optional<SchemaObjectReview> ReviewSchemaObjectsAsTheyLie(const QString& path, DatabaseKind kind,
                                                               QByteArray& records)
{
    const std::optional<QList<SchemaTableRow>> rows =
        ReadSchemaTableRows(path, SchemaTexts::OfViewsAndTriggers, &records);
    if (!rows)
        return std::nullopt;
    SchemaObjectReviewer reviewer(kind);
    for (const SchemaTableRow& row : *rows) {
        if (!reviewer.Add(row.type, row.name, row.sql))
            break;
    }
    return reviewer.Result();
}

// The answer for a schema reviewed and loaded before, from the file's records alone.
std::optional<SchemaObjectReview> KnownReview(const QString& path, DatabaseKind kind)
{
    QByteArray records;
    if (!ReadSchemaTableRows(path, SchemaTexts::None, &records))
        return std::nullopt;
    return LoadedSchemasOf(kind).Find(records);
}
} // namespace

QString SchemaObjectReview::Describe() const
{
    if (!foreign.isEmpty() || stale.isEmpty())
        return foreign;
    return Described(stale.first().type, stale.first().name);
}

QString SchemaObjectReview::DescribeCurrent() const
{
    const QString described = Describe();
    return described.isEmpty() ? missing : described;
}

namespace {
// What the engine loaded: its schema table, then the constructs of the tables and indexes. Nothing
// the file defines runs: no table, view or trigger of it is read.
SchemaObjectReview ReviewLoadedSchema(const QSqlDatabase& database, DatabaseKind kind)
{
    SchemaObjectReviewer reviewer(kind);
    QSqlQuery objects(database);
    objects.setForwardOnly(true);
    if (!objects.exec(QStringLiteral("SELECT type, name, sql FROM main.sqlite_master"))) {
        reviewer.SetUnreadable(objects.lastError().databaseText());
        return reviewer.Result();
    }
    while (objects.next() &&
           reviewer.Add(objects.value(0).toString(), objects.value(1).toString(), objects.value(2).toString()))
        ;
    objects.finish();
    if (!reviewer.Result().foreign.isEmpty())
        return reviewer.Result();
    QString error;
    if (const std::optional<SchemaConstructs> constructs = ReadSchemaConstructs(database, &error))
        reviewer.AddConstructs(*constructs);
    else
        reviewer.SetUnreadable(error);
    return reviewer.Result();
}

// A file alone holds its database: the engine reads it as unchangeable, trusted_schema off.
SchemaObjectReview ReviewLoadedSchemaOfFile(const QString& path, DatabaseKind kind)
{
    SchemaObjectReview review;
    QString error;
    if (!ReadAsUnchangeable(path, [&](const QSqlDatabase& database) { review = ReviewLoadedSchema(database, kind); },
                            &error))
        review.unreadable = error;
    return review;
}
} // namespace

SchemaObjectReview ReviewSchemaObjects(CDaoDatabase& database, DatabaseKind kind)
{
    return ReviewLoadedSchema(database.Connection().database(), kind);
}

// A file alone holds every committed change, so its pages are read as they lie, then the engine
// reads it as unchangeable: no lock, no -wal or -shm, and a working copy the layer holds but has not
// read yet stays unread. A file with a journal beside is read through a connection of the layer.
std::optional<HeaderAndKnownReview> ReadHeaderAndKnownReview(const QString& path, DatabaseKind kind)
{
    if (HasJournalBeside(path))
        return std::nullopt;
    QByteArray records;
    HeaderAndKnownReview read;
    if (!ReadSchemaTableRows(path, SchemaTexts::None, &records, &read.header))
        return std::nullopt;
    read.review = LoadedSchemasOf(kind).Find(records);
    return read;
}

SchemaObjectReview ReviewSchemaObjectsOfFile(const QString& path, DatabaseKind kind)
{
    if (!HasJournalBeside(path)) {
        if (std::optional<SchemaObjectReview> known = KnownReview(path, kind))
            return *known;
        // The pages first: an object not ours is refused before the engine loads anything.
        QByteArray records;
        const std::optional<SchemaObjectReview> review = ReviewSchemaObjectsAsTheyLie(path, kind, records);
        if (review && !review->foreign.isEmpty())
            return *review;
        SchemaObjectReview loaded = ReviewLoadedSchemaOfFile(path, kind);
        if (review && loaded.foreign.isEmpty() && loaded.missing.isEmpty() && loaded.unreadable.isEmpty())
            LoadedSchemasOf(kind).Add(records, *review);
        return loaded;
    }
    try {
        CDaoDatabase database;
        database.Open(path, DatabaseRole::ReadOnly);
        return ReviewSchemaObjects(database, kind);
    } catch (const CDaoException& error) {
        SchemaObjectReview review;
        review.unreadable = error.GetErrorDescription();
        return review;
    }
}

QString ForeignSchemaObject(CDaoDatabase& database, DatabaseKind kind)
{
    const SchemaObjectReview review = ReviewSchemaObjects(database, kind);
    return review.unreadable.isEmpty() ? review.Describe() : review.unreadable;
}

QString OurSchemaStatement(DatabaseKind kind, const QString& name)
{
    return OurSchemaOf(kind).baseStatement.value(name.toLower());
}
