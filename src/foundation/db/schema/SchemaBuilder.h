#pragma once
// Creates fresh database files from the SQL of schema/ (compiled in as resources): the tables and
// views, the seed rows, the operation catalogue, application_id and user_version. Files come out
// byte-stable: no timestamps, fixed page size, VACUUM at the end. The build tool, the stand-ins
// that create step files and the test fixtures all go through this class.

#include <QList>
#include <QSqlDatabase>
#include <QString>
#include <QStringList>
#include <QVariant>

#include <functional>

enum class DatabaseKind { Project, Step, Equipment, Material, Language, Results };
inline constexpr DatabaseKind ALL_DATABASE_KINDS[] = {DatabaseKind::Project, DatabaseKind::Step,
                                                      DatabaseKind::Equipment, DatabaseKind::Material,
                                                      DatabaseKind::Language, DatabaseKind::Results};
// "project", "step", "equipment", "material", "language", "results": the kind's name in schema/.
QString DatabaseKindName(DatabaseKind kind);

// Four ASCII letters as the big-endian number SQLite keeps in the header's application_id.
constexpr quint32 FourCharacterID(const char (&letters)[5])
{
    return quint32(quint8(letters[0])) << 24 | quint32(quint8(letters[1])) << 16 |
           quint32(quint8(letters[2])) << 8 | quint32(quint8(letters[3]));
}
// The application_id every kind carried once; projects and templates keep it.
inline constexpr quint32 LEGACY_APPLICATION_ID = FourCharacterID("QVNT");
// The application_id of the kind's files, by which the desktop tells the kinds apart.
quint32 ApplicationID(DatabaseKind kind);

// One row of the operation catalogue (data/operations.csv): its first three columns. The columns
// after them describe the insert-operation commands (foundation/common/OperationCommands.h).
struct OperationCatalogueRow {
    long operationTypeID = 0;
    QString operationTypeName;
    QString operationDefaultLabel;
};

class CSchemaBuilder {
public:
    static constexpr int PAGE_SIZE = 4096;

    explicit CSchemaBuilder(DatabaseKind kind);
    ~CSchemaBuilder();
    CSchemaBuilder(const CSchemaBuilder&) = delete;
    CSchemaBuilder& operator=(const CSchemaBuilder&) = delete;

    // Creates the file (which must not exist yet) with schema and seed rows, inside a transaction
    // that stays open for Execute; false with ErrorText() set, and no file left behind.
    bool Create(const QString& path);
    // Runs one statement with positional values inside the open transaction.
    bool Execute(const QString& sql, const QVariantList& values = {});
    // Commits, compacts and closes; on failure the file is removed.
    bool Finish();
    // For a file its caller flushes itself before it trusts it (a temporary renamed into place):
    // no journal flushes while it is built and no compaction at the end. Set before Create.
    void SetFlushedByCaller() { m_flushedByCaller = true; }
    // Drops the file of an unfinished build.
    void Abandon();

    QSqlDatabase Database() const;
    const QString& ErrorText() const { return m_errorText; }
    DatabaseKind Kind() const { return m_kind; }

    // Create + Finish in one call.
    static bool Build(DatabaseKind kind, const QString& path, QString* errorText = nullptr);

    // Runs the script in one transaction on a new file at path; the text of the first failure,
    // else "". The caller removes the file after a failure.
    static QString RunScriptOnNewFile(const QString& path, const QString& script);
    // The kind's schema made in a database in memory, handed to read; false when it cannot be made.
    static bool ReadSchemaInMemory(DatabaseKind kind, const std::function<void(const QSqlDatabase&)>& read);

    static QString SchemaText(DatabaseKind kind);
    static QString SeedText(DatabaseKind kind);
    // The number on the "-- SCHEMA_VERSION n" line of the kind's schema file.
    static int SchemaVersion(DatabaseKind kind);
    static QStringList SplitStatements(const QString& script);
    static QList<OperationCatalogueRow> ReadOperationCatalogue(QString* errorText = nullptr);
    static QList<OperationCatalogueRow> ParseOperationCatalogue(const QString& csvText, QString* errorText);

private:
    bool Fail(const QString& what, const QString& detail);
    bool RunScript(const QString& script);
    bool SetHeaderPragmas();
    bool LoadOperationCatalogue();
    bool LoadModelLibrary();
    void Close();
    void RemoveFiles();

    DatabaseKind m_kind;
    QString m_connectionName;
    QString m_path;
    QString m_errorText;
    bool m_open = false;
    bool m_flushedByCaller = false;
};
