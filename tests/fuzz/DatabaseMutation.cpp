#include "DatabaseMutation.h"
#include "FuzzEnvironment.h"
#include "FuzzTarget.h"
#include "ProjectSession.h"
#include "RootedAppContext.h"
#include "foundation/common/AutomationFlag.h"
#include "foundation/db/content/ProjectGenerator.h"
#include "foundation/db/schema/ResultsDatabase.h"
#include "foundation/db/schema/SchemaBuilder.h"

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStringList>

#include <sqlite3.h>

namespace {

// Open while the process lives; volatile, so that the one reference the leak check finds is stored.
CProjectSession* volatile TheOpenedDemo = nullptr;

enum Kind {
    SET_VALUE,
    SET_VALUE_2,
    SET_VALUE_3,
    COPY_ROW,
    DELETE_ROWS,
    DROP,
    USER_VERSION,
    APPLICATION_ID,
    SCHEMA,
    KINDS
};

const char* const VALUES[] = {
    "NULL",
    "0",
    "-1",
    "1",
    "1e35",
    "-1e35",
    "1e308",
    "9e999",
    "-9e999",
    "9223372036854775807",
    "-9223372036854775808",
    "2147483648",
    "-2147483649",
    "0.5",
    "1e-320",
    "'text'",
    "''",
    "'12abc'",
    "'1e35'",
    "printf('%.300c', 'x')",
    "printf('%.70000c', 'y')",
    "zeroblob(4)",
    "x'00ff'",
    "'\xf0\x9f\x98\x80'",
    "-0.0",
    "4294967296",
    "32768",
    "65536",
};
constexpr int VALUE_COUNT = int(sizeof(VALUES) / sizeof(VALUES[0]));
// Past the constants: the row's own id (an id that points at itself), the column's value in the
// first row (a duplicate), the column's largest value plus one.
enum Derived { OWN_ROWID = VALUE_COUNT, FIRST_ROW, NEXT_ID, VALUE_CHOICES };

class Database {
public:
    explicit Database(const QString& path)
    {
        if (sqlite3_open_v2(QFile::encodeName(path).constData(), &m_db, SQLITE_OPEN_READWRITE, nullptr) !=
            SQLITE_OK)
            FuzzFailure("cannot open the base database " + path);
    }
    ~Database() { sqlite3_close_v2(m_db); }
    Database(const Database&) = delete;
    Database& operator=(const Database&) = delete;

    void exec(const QString& sql) { sqlite3_exec(m_db, sql.toUtf8().constData(), nullptr, nullptr, nullptr); }
    QStringList column(const QString& sql)
    {
        QStringList values;
        sqlite3_stmt* statement = nullptr;
        if (sqlite3_prepare_v2(m_db, sql.toUtf8().constData(), -1, &statement, nullptr) == SQLITE_OK)
            while (sqlite3_step(statement) == SQLITE_ROW)
                values << QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_column_text(statement, 0)));
        sqlite3_finalize(statement);
        return values;
    }

private:
    sqlite3* m_db = nullptr;
};

QString Quoted(const QString& name)
{
    return '"' + QString(name).replace('"', "\"\"") + '"';
}

struct Target {
    QString table, column, row; // row: "rowid = n"
    QStringList columns;
};

Target Pick(Database& db, std::uint8_t table, std::uint8_t selector)
{
    Target t;
    const QStringList tables = db.column(
        "SELECT name FROM sqlite_master WHERE type = 'table' AND name NOT LIKE 'sqlite%' ORDER BY name");
    if (tables.isEmpty())
        return t;
    t.table = tables.at(table % tables.size());
    t.columns = db.column(QString("SELECT name FROM pragma_table_info(%1) ORDER BY cid")
                              .arg(Quoted(t.table).replace('"', '\'')));
    if (!t.columns.isEmpty())
        t.column = t.columns.at(selector % t.columns.size());
    const QStringList rows = db.column(QString("SELECT rowid FROM %1 ORDER BY rowid LIMIT 1 OFFSET %2")
                                           .arg(Quoted(t.table))
                                           .arg(selector / 16));
    t.row = "rowid = " + (rows.isEmpty() ? QStringLiteral("(SELECT min(rowid) FROM %1)").arg(Quoted(t.table))
                                         : rows.first());
    return t;
}

QString ValueFor(const Target& t, std::uint8_t value)
{
    const int choice = value % VALUE_CHOICES;
    const QString table = Quoted(t.table), column = Quoted(t.column);
    switch (choice) {
    case OWN_ROWID:
        return "rowid";
    case FIRST_ROW:
        return QString("(SELECT %1 FROM %2 ORDER BY rowid LIMIT 1)").arg(column, table);
    case NEXT_ID:
        return QString("(SELECT max(%1) + 1 FROM %2)").arg(column, table);
    default:
        return VALUES[choice];
    }
}

void Apply(Database& db, const std::uint8_t* change)
{
    const Target t = Pick(db, change[1], change[2]);
    if (t.table.isEmpty() || t.column.isEmpty())
        return;
    const QString table = Quoted(t.table), column = Quoted(t.column);
    switch (change[0] % KINDS) {
    case SET_VALUE:
    case SET_VALUE_2:
    case SET_VALUE_3:
        db.exec(QString("UPDATE %1 SET %2 = %3 WHERE %4").arg(table, column, ValueFor(t, change[3]), t.row));
        break;
    case COPY_ROW: { // the same row again, under a new id when the first column is the key
        QString rest;
        for (const QString& other : t.columns.mid(1))
            rest += ", " + Quoted(other);
        db.exec(QString("INSERT INTO %1 SELECT * FROM %1 WHERE %2").arg(table, t.row));
        db.exec(QString("INSERT INTO %1 (%2%3) SELECT (SELECT max(%2) + 1 FROM %1)%3 FROM %1 WHERE %4")
                    .arg(table, Quoted(t.columns.first()), rest, t.row));
        break;
    }
    case DELETE_ROWS:
        db.exec(QString("DELETE FROM %1%2").arg(table, change[3] % 2 ? QString() : " WHERE " + t.row));
        break;
    case DROP:
        if (change[3] % 2)
            db.exec(QString("DROP TABLE %1").arg(table));
        else
            db.exec(QString("ALTER TABLE %1 DROP COLUMN %2").arg(table, column));
        break;
    case USER_VERSION: {
        const int versions[] = {0, 1, -1, 2, 3, 7, 12, 20, 99, 2147483647, -2147483647 - 1, 100000};
        db.exec(QString("PRAGMA user_version = %1").arg(versions[change[3] % 12]));
        break;
    }
    case APPLICATION_ID: {
        const long long ids[] = {0,          7,          -1,         0x51565358, 0x51565052,
                                 0x51565354, 0x5156454D, 0x51564D54, 0x5156524E};
        db.exec(QString("PRAGMA application_id = %1").arg(ids[change[3] % 9]));
        break;
    }
    case SCHEMA:
        switch (change[3] % 3) {
        case 0:
            db.exec(QString("CREATE TRIGGER fuzz_%1 AFTER INSERT ON %2 BEGIN DELETE FROM %2; END")
                        .arg(change[1])
                        .arg(table));
            break;
        case 1:
            db.exec(QString("DROP TABLE %1; CREATE VIEW %1 AS SELECT 1 AS %2").arg(table, column));
            break;
        default:
            db.exec(QString("CREATE UNIQUE INDEX fuzz_%1 ON %2 (%3)").arg(change[1]).arg(table, column));
            break;
        }
        break;
    }
}

} // namespace

void MutateDatabase(const QString& path, const std::uint8_t* program, std::size_t size)
{
    Database db(path);
    constexpr std::size_t MAX_CHANGES = 32;
    for (std::size_t i = 0; i + 4 <= size && i < 4 * MAX_CHANGES; i += 4)
        Apply(db, program + i);
}

QByteArray MutationOf(int kind, int table, int selector, int value)
{
    const char change[] = {char(kind), char(table), char(selector), char(value)};
    return QByteArray(change, 4);
}

QByteArray MutationSetValue(int table, int column, int row, int value)
{
    return MutationOf(SET_VALUE, table, column + 16 * row, value);
}

QString DemoProjectFolder()
{
    static const QString folder = [] {
        const QString demo = FuzzRoot() + "base/Demo/";
        CProjectGenerator generator;
        if (!generator.Write(CProjectGenerator::DemoProject(), demo))
            FuzzFailure("cannot write the Demo project: " + generator.ErrorText());
        return demo;
    }();
    return folder;
}

QString SampleProjectFolder()
{
    const QString folder = QStringLiteral(QV_DATA_DIR "/Samples/Demo/");
    if (!QFileInfo(folder + "Demo.prj").isFile())
        FuzzFailure("the sample Demo was not built: " + folder);
    return folder;
}

QString OpenedDemoFolder()
{
    static const QString folder = [] {
        RootedAppContext& app = FuzzAppContext();
        const QString demo = FuzzRoot() + "open/Demo/", language = FuzzRoot() + "open/QVEnglish.lng";
        QDir().mkpath(demo);
        for (const QString& name : QDir(SampleProjectFolder()).entryList(QDir::Files))
            if (!QFile::copy(SampleProjectFolder() + name, demo + name))
                FuzzFailure("cannot copy " + name);
        if (!CSchemaBuilder::Build(DatabaseKind::Language, language))
            FuzzFailure("cannot build the language database");
        app.fileSet().defaultLanguageTemplatePath = language;
        g_bAutomationActive = true;
        TheOpenedDemo = new CProjectSession(app.fileSet(), app.stepDatabases());
        if (!TheOpenedDemo->Open(demo + "Demo.prj"))
            FuzzFailure("the Demo does not open");
        g_bAutomationActive = false;
        return demo;
    }();
    return folder;
}

QString ShortRunResultsFile()
{
    static const QString path = [] {
        const QString results = FuzzRoot() + "base/" + StepResultsFileName(1001);
        const QList<ResultsScheduleRow> rows = {
            {1001, 10002, 0, 1.5, 1.5, 7, 1}, {1001, 10003, 1.5, 4, 2.5, 8, 1}, {1001, 10011, 4, 4.25, 0.25, 7, 2}};
        const QList<ResultsRemark> remarks = {{1001, 10002, 12, "Warning", "Vessel overfilled", 1},
                                              {1001, 10003, 3, "Error", "No material to transfer", 2}};
        QString error;
        const bool written = WriteResultsAtomically(
            results,
            [&](CSchemaBuilder& builder) {
                return WriteRunSummary(builder, {100, 80, 4.25, 250, 10}) &&
                       WriteScheduleRows(builder, rows) && WriteMessageRemarks(builder, remarks);
            },
            &error);
        if (!written)
            FuzzFailure("cannot write the base results file: " + error);
        return results;
    }();
    return path;
}
