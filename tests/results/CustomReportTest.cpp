// Custom reports: definitions, the read-only report component with its workbook, and the helper
// that runs the installed component on a step, process or plan.

#include "ZipEntry.h"
#include "Deadline.h"
#include "FakeAppContext.h"
#include "ScriptedPrompts.h"

#include "foundation/common/CancellableProgress.h"
#include "foundation/common/DesktopOpener.h"
#include "foundation/common/ServiceSlot.h"
#include "foundation/db/schema/ResultsDatabase.h"
#include "foundation/db/schema/SchemaBuilder.h"
#include "modules/customreport/CustomReportDefinition.h"
#include "modules/customreport/ReportQueryConnection.h"
#include "modules/customreport/ReportThreads.h"
#include "modules/customreport/SqlCustomReportComponent.h"
#include "results/QVCustomReportHelper.h"

#include <QCryptographicHash>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QXmlStreamReader>
#include <gtest/gtest.h>

namespace {
QStringList XmlAttributesOrTexts(const QByteArray& xml, const char* element, const char* attribute)
{
    QStringList found;
    QXmlStreamReader reader(xml);
    while (!reader.atEnd()) {
        if (reader.readNext() != QXmlStreamReader::StartElement || reader.name() != QLatin1String(element))
            continue;
        found << (attribute ? reader.attributes().value(QLatin1String(attribute)).toString() : reader.readElementText());
    }
    return found;
}

QByteArray FileDigest(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? QCryptographicHash::hash(file.readAll(), QCryptographicHash::Sha256)
                                          : QByteArray();
}

class NoOpener : public DesktopOpener {
public:
    bool OpenDocument(const QString& path) override { return opened << path, true; }
    QStringList opened;
};

class CustomReportComponentTest : public ::testing::Test {
protected:
    CustomReportComponentTest()
    {
        installed.Install<DesktopOpener>(&opener);
        results = context.root() + "QVSTEP_12.mdb";
        project = context.root() + "Demo.wc";
        EXPECT_TRUE(WriteResultsAtomically(results, [](CSchemaBuilder& builder) {
            return WriteScheduleRows(builder, {{12, 3, 0.0, 1.5, 1.5, 7, 0}, {12, 4, 1.5, 4.0, 2.5, 8, 0}});
        }));
        CSchemaBuilder builder(DatabaseKind::Project);
        EXPECT_TRUE(builder.Create(project));
        EXPECT_TRUE(builder.Execute("INSERT INTO ProjectStep (StepID, StepName) VALUES (12, 'Crystallise')"));
        EXPECT_TRUE(builder.Finish());
        component.SetSpreadsheetApplication("Excel");
        component.SetDatabaseApplication("Access");
    }
    QString Definition(const QByteArray& text)
    {
        const QString path = context.root() + "report.qvr";
        QFile file(path);
        EXPECT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        file.write(text);
        return path;
    }
    // The description the component failed with, "" when it ran.
    QString Run(const QByteArray& text, bool saves = true)
    {
        if (saves)
            dialogs.expect(Workbook());
        try {
            component.RunReport(project, results, Definition(text));
        } catch (const CustomReportError& error) {
            return error.description;
        }
        return {};
    }
    QString Workbook() const { return context.root() + "report - QVSTEP_12.xlsx"; }

    FakeAppContext context;
    ScriptedFileDialogService dialogs;
    ScopedFileDialogService dialogScope{&dialogs};
    NoOpener opener;
    ServiceInstallations installed;
    SqlCustomReportComponent component;
    QString results, project;
};

const QByteArray TWO_SHEETS = "# schedule and step names\n"
                              "[Schedule]\n"
                              "SELECT OperationID, StartTime, Duration FROM results.OperationSchedule\n"
                              "  ORDER BY StartTime\n"
                              "\n"
                              "[Steps]\n"
                              "SELECT StepName FROM project.ProjectStep WHERE StepID = 12;\n";

TEST_F(CustomReportComponentTest, WritesOneSheetPerSelectAndLeavesBothFilesAsTheyWere)
{
    const QByteArray resultsBefore = FileDigest(results), projectBefore = FileDigest(project);
    EXPECT_EQ(Run(TWO_SHEETS), "");
    EXPECT_EQ(component.WrittenPath(), Workbook());
    EXPECT_EQ(dialogs.requests().value(0).initialPath, Workbook());
    EXPECT_EQ(XmlAttributesOrTexts(ZipEntry(Workbook(), "xl/workbook.xml"), "sheet", "name"),
              QStringList({"Schedule", "Steps"}));
    const QStringList strings = XmlAttributesOrTexts(ZipEntry(Workbook(), "xl/sharedStrings.xml"), "t", nullptr);
    EXPECT_TRUE(strings.contains("OperationID") && strings.contains("Crystallise")) << strings.join('|').toStdString();
    EXPECT_EQ(XmlAttributesOrTexts(ZipEntry(Workbook(), "xl/worksheets/sheet1.xml"), "row", "r").size(), 3);
    EXPECT_EQ(FileDigest(results), resultsBefore);
    EXPECT_EQ(FileDigest(project), projectBefore);
    EXPECT_TRUE(opener.opened.isEmpty()); // no window shows in the test
}

// A link at the suggested workbook's name, to a user's file or to a folder: the report replaces the
// link with its workbook and what the link named stays as it was.
TEST_F(CustomReportComponentTest, ALinkAtTheWorkbooksNameIsReplacedNotWrittenThrough)
{
    QTemporaryDir outside;
    const QString user = outside.filePath("thesis.docx");
    QFile file(user);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly) && file.write("precious") == 8);
    file.close();
    for (const QString& named : {user, outside.path()}) {
        QFile::remove(Workbook());
        ASSERT_TRUE(QFile::link(named, Workbook()));
        EXPECT_EQ(Run(TWO_SHEETS), "");
        EXPECT_FALSE(QFileInfo(Workbook()).isSymLink());
        EXPECT_EQ(XmlAttributesOrTexts(ZipEntry(Workbook(), "xl/workbook.xml"), "sheet", "name"),
                  QStringList({"Schedule", "Steps"}));
        EXPECT_EQ(QDir(outside.path()).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot),
                  QStringList{"thesis.docx"});
        ASSERT_TRUE(file.open(QIODevice::ReadOnly));
        EXPECT_EQ(file.readAll(), "precious");
        file.close();
    }
}

struct RefusedStatement {
    const char* name;
    const char* select;
};

class CustomReportRefusalTest : public CustomReportComponentTest,
                                public ::testing::WithParamInterface<RefusedStatement> {};

TEST_P(CustomReportRefusalTest, RefusesAnythingButReadingAndWritesNothing)
{
    const QByteArray resultsBefore = FileDigest(results), projectBefore = FileDigest(project);
    const QString error = Run(QByteArray("[Ok]\nSELECT 1\n[Bad]\n") + GetParam().select + "\n", false);
    EXPECT_TRUE(error.startsWith("[Bad] ")) << error.toStdString();
    EXPECT_FALSE(QFile::exists(Workbook()));
    EXPECT_EQ(FileDigest(results), resultsBefore);
    EXPECT_EQ(FileDigest(project), projectBefore);
    EXPECT_FALSE(QFile::exists(context.root() + "other.db"));
}

INSTANTIATE_TEST_SUITE_P(
    Statements, CustomReportRefusalTest,
    ::testing::Values(RefusedStatement{"Insert", "INSERT INTO project.ProjectStep (StepID, StepName) VALUES (5, 'x')"},
                      RefusedStatement{"InsertInSelect", "SELECT 1; DELETE FROM results.OperationSchedule"},
                      RefusedStatement{"Attach", "ATTACH DATABASE 'other.db' AS other"},
                      RefusedStatement{"PragmaWrite", "PRAGMA results.user_version = 7"},
                      RefusedStatement{"PragmaRead", "PRAGMA results.user_version"},
                      RefusedStatement{"LoadExtension", "SELECT load_extension('libother')"},
                      RefusedStatement{"CreateTable", "CREATE TABLE project.Extra (x)"},
                      RefusedStatement{"Update", "UPDATE results.OperationSchedule SET Duration = 0"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(CustomReportComponentTest, AMissingResultsFileIsReportedAndNotCreated)
{
    results = context.root() + "QVSTEP_-1.mdb";
    EXPECT_TRUE(Run(TWO_SHEETS, false).contains("QVSTEP_-1.mdb"));
    EXPECT_FALSE(QFile::exists(results));
}

TEST_F(CustomReportComponentTest, RunsOnlyAfterBothApplicationsWereSet)
{
    SqlCustomReportComponent fresh;
    fresh.SetDatabaseApplication("Access");
    EXPECT_THROW(fresh.RunReport(project, results, Definition(TWO_SHEETS)), CustomReportError);
    EXPECT_FALSE(QFile::exists(Workbook()));
}

TEST_F(CustomReportComponentTest, CancelInTheSaveDialogWritesNothing)
{
    dialogs.expect("");
    EXPECT_EQ(Run(TWO_SHEETS, false), "");
    EXPECT_EQ(component.WrittenPath(), "");
    EXPECT_FALSE(QFile::exists(Workbook()));
}

struct DefinitionCase {
    const char* name;
    QByteArray text;
    int sheets; // -1: refused
};

class CustomReportDefinitionTest : public ::testing::TestWithParam<DefinitionCase> {};

TEST_P(CustomReportDefinitionTest, ParsesSheetsOrGivesAReason)
{
    const CustomReportDefinition definition = ParseCustomReportDefinition(GetParam().text);
    if (GetParam().sheets < 0) {
        EXPECT_FALSE(definition.errorText.isEmpty());
        return;
    }
    EXPECT_EQ(definition.errorText, "");
    EXPECT_EQ(definition.sheets.size(), GetParam().sheets);
}

INSTANTIATE_TEST_SUITE_P(
    Texts, CustomReportDefinitionTest,
    ::testing::Values(DefinitionCase{"TwoSheets", TWO_SHEETS, 2},
                      DefinitionCase{"CrLfLines", "[A]\r\nSELECT 1\r\n", 1},
                      DefinitionCase{"Utf8SheetName", "[Übersicht]\nSELECT 1\n", 1},
                      DefinitionCase{"StatementBeforeSheet", "SELECT 1\n[A]\nSELECT 2\n", -1},
                      DefinitionCase{"SheetWithoutStatement", "[A]\n[B]\nSELECT 1\n", -1},
                      DefinitionCase{"Empty", "", -1},
                      DefinitionCase{"NotUtf8", "[A]\nSELECT '\xff\xfe'\n", -1}),
    [](const auto& info) { return std::string(info.param.name); });

// Records what the helper hands the component; fails RunReport when told to.
class RecordingComponent : public ICustomReportComponent {
public:
    explicit RecordingComponent(QStringList& calls, bool fails) : m_calls(calls), m_fails(fails) {}
    void SetSpreadsheetApplication(const QString& name) override { m_calls << "spreadsheet " + name; }
    void SetDatabaseApplication(const QString& name) override { m_calls << "database " + name; }
    void RunReport(const QString& workingCopy, const QString& resultsDatabase, const QString& reportFile) override
    {
        m_calls << QStringList{"run", workingCopy, resultsDatabase, reportFile}.join(' ');
        if (m_fails)
            throw CustomReportError{"no sheets"};
    }

private:
    QStringList& m_calls;
    bool m_fails;
};

class RecordingFactory : public CustomReportComponentFactory {
public:
    std::unique_ptr<ICustomReportComponent> CreateComponent() override
    {
        return std::make_unique<RecordingComponent>(calls, fails);
    }
    QStringList calls;
    bool fails = false;
};

class CustomReportHelperTest : public ::testing::Test {
protected:
    CustomReportHelperTest()
    {
        context.fileSet().projectDir = context.root() + "Demo/";
        context.fileSet().workingCopyDir = context.root() + "work/";
        context.fileSet().projectName = "Demo";
    }
    FakeAppContext context;
    ScriptedPromptService prompts;
    ScopedPromptService promptScope{&prompts};
    ScriptedFileDialogService dialogs;
    ScopedFileDialogService dialogScope{&dialogs};
    RecordingFactory factory;
    ServiceInstallations installed;
    CQVCustomReportHelper helper;
};

TEST_F(CustomReportHelperTest, HandsTheComponentItsCallsInOrder)
{
    installed.Install<CustomReportComponentFactory>(&factory);
    helper.RunCustomReport(7, "plan", "/defs/r.qvr");
    const QString run = "run " + context.root() + "work/Demo.wc " + context.root() + "Demo/QVPLAN_7.mdb /defs/r.qvr";
    EXPECT_EQ(factory.calls, QStringList({"spreadsheet Excel", "database Access", run}));
    EXPECT_TRUE(prompts.texts().isEmpty());
}

TEST_F(CustomReportHelperTest, ResultsPathsByKind)
{
    const QString folder = context.root() + "Demo/";
    EXPECT_EQ(CQVCustomReportHelper::ResultsDatabasePath(-1, "Step"), folder + "QVSTEP_-1.mdb");
    EXPECT_EQ(CQVCustomReportHelper::ResultsDatabasePath(3, "PROCESS"), folder + "QVPROC_3.mdb");
    EXPECT_EQ(CQVCustomReportHelper::ResultsDatabasePath(7, "Plan"), folder + "QVPLAN_7.mdb");
    EXPECT_EQ(CQVCustomReportHelper::ResultsDatabasePath(7, "Campaign"), "");
}

TEST_F(CustomReportHelperTest, FailuresShowTheComponentMessage)
{
    prompts.expect(IDOK);
    helper.RunCustomReport(1, "Step", "r.qvr"); // nothing installed
    installed.Install<CustomReportComponentFactory>(&factory);
    factory.fails = true;
    prompts.expect(IDOK);
    helper.RunCustomReport(1, "Step", "r.qvr");
    EXPECT_EQ(prompts.texts(), QStringList({"Error in Custom Report component. not installed",
                                            "Error in Custom Report component. no sheets"}));
}

TEST_F(CustomReportHelperTest, TheCommandRunsNothingWhenTheDefinitionIsNotChosen)
{
    installed.Install<CustomReportComponentFactory>(&factory);
    dialogs.expect("");
    EXPECT_EQ(RunCustomReportCommand(helper, {"Step", 4}), "");
    dialogs.expect("/defs/chosen.qvr");
    EXPECT_EQ(RunCustomReportCommand(helper, {"Step", 4}), "/defs/chosen.qvr");
    EXPECT_EQ(factory.calls.size(), 3);
}

struct ScopeCase {
    const char* name;
    CustomReportContext context;
    const char* kind;
    long id;
};

class CustomReportScopeTest : public ::testing::TestWithParam<ScopeCase> {};

TEST_P(CustomReportScopeTest, KindAndIdFollowTheContext)
{
    const CustomReportScope scope = ChooseCustomReportScope(GetParam().context);
    EXPECT_EQ(scope.kind, GetParam().kind);
    EXPECT_EQ(scope.id, GetParam().id);
}

INSTANTIATE_TEST_SUITE_P(
    Contexts, CustomReportScopeTest,
    ::testing::Values(ScopeCase{"ExplorerProcess", {true, 3, 9, 5, 8}, "Process", 3},
                      ScopeCase{"ExplorerStep", {true, -1, 9, 5, 8}, "Step", 9},
                      ScopeCase{"Plan", {false, 3, 9, 5, 8}, "Plan", 5},
                      ScopeCase{"CurrentStep", {false, 3, 9, -1, 8}, "Step", 8},
                      ScopeCase{"Nothing", {false, -1, -1, -1, -1}, "Step", -1}),
    [](const auto& info) { return std::string(info.param.name); });
} // namespace

namespace {
TEST_F(CustomReportComponentTest, TheExampleDefinitionRuns)
{
    QFile example(QString(QV_SOURCE_DIR) + "/docs/examples/schedule-overview.qvr");
    ASSERT_TRUE(example.open(QIODevice::ReadOnly));
    EXPECT_EQ(Run(example.readAll()), "");
    EXPECT_EQ(XmlAttributesOrTexts(ZipEntry(Workbook(), "xl/workbook.xml"), "sheet", "name"),
              QStringList({"Schedule", "Remarks"}));
}
} // namespace

namespace {
// The user's Cancel, scripted: the given check is the first to answer true.
class ScriptedProgress : public CancellableProgress {
public:
    explicit ScriptedProgress(int cancelAt) : m_cancelAt(cancelAt) {}
    void Begin(const QString& text) override { texts << text; }
    bool Cancelled() override { return ++checks >= m_cancelAt; }
    void End() override { ++ended; }
    QStringList texts;
    int checks = 0;
    int ended = 0;

private:
    int m_cancelAt;
};

const char* const ENDLESS_COUNT =
    "WITH RECURSIVE c(x) AS (SELECT 1 UNION ALL SELECT x + 1 FROM c) SELECT count(*) FROM c";
const char* const ENDLESS_WIDE_ROWS =
    "WITH RECURSIVE c(x) AS (SELECT 1 UNION ALL SELECT x + 1 FROM c) SELECT x, printf('%.1000c', x) FROM c";
} // namespace

TEST_F(CustomReportComponentTest, AQueryWithoutEndStopsAtTheUsersCancel)
{
    ScriptedProgress progress(3);
    installed.Install<CancellableProgress>(&progress);
    QElapsedTimer clock;
    clock.start();
    EXPECT_EQ(Run(QByteArray("[Forever]\n") + ENDLESS_COUNT + "\n", false),
              "[Forever] The report was cancelled.");
    EXPECT_LT(clock.elapsed(), 5000);
    EXPECT_EQ(progress.checks, 3);
    EXPECT_EQ(progress.texts, QStringList{"Running the custom report report..."});
    EXPECT_EQ(progress.ended, 1);
    EXPECT_FALSE(QFile::exists(Workbook()));
}

namespace {
// The user's Cancel, scripted a given time after the report starts.
class CancelAfter : public CancellableProgress {
public:
    explicit CancelAfter(qint64 milliseconds) : m_after(milliseconds) {}
    void Begin(const QString&) override { clock.start(); }
    bool Cancelled() override
    {
        if (cancelledAt < 0 && clock.hasExpired(m_after))
            cancelledAt = clock.elapsed();
        return cancelledAt >= 0;
    }
    void End() override { endedAt = clock.elapsed(); }
    QElapsedTimer clock;
    qint64 cancelledAt = -1;
    qint64 endedAt = -1;

private:
    qint64 m_after;
};

// Rows each costly to compute (a 16 MB text built per row): few engine steps between two rows.
const char* const HEAVY_ROWS_ENDLESS =
    "[Forever]\nWITH RECURSIVE c(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM c) "
    "SELECT sum(length(replace(hex(zeroblob(4000000 + i)), '0', 'ab'))) FROM c\n";
const char* const HEAVY_ROWS_BOUNDED =
    "[Bounded]\nWITH RECURSIVE c(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM c WHERE i < 400) "
    "SELECT sum(length(replace(hex(zeroblob(4000000 + i)), '0', 'ab'))) FROM c\n";
// One call that compares at each of 4 million positions over 4 million bytes: hours in one step.
const char* const COSTLY_INSTR = "[Instr]\nSELECT instr(h, substr(h, 1, 4000000) || 'b') "
                                 "FROM (SELECT replace(hex(zeroblob(4000000)), '0', 'a') AS h)\n";
const char* const COSTLY_REPLACE = "[Replace]\nSELECT length(replace(h, substr(h, 1, 4000000) || 'b', '')) "
                                   "FROM (SELECT replace(hex(zeroblob(4000000)), '0', 'a') AS h)\n";
} // namespace

// However costly each row or call, the report ends within 2 s of the user's Cancel and writes
// nothing; its thread has ended well before the 5 s the program waits for it at quit.
TEST_F(CustomReportComponentTest, CostlyRowsAndCallsStopSoonAfterTheUsersCancel)
{
    const Deadline deadline(std::chrono::seconds(120), "costly reports after the user's Cancel");
    const struct {
        const char* definition;
        const char* message;
    } cases[] = {
        {HEAVY_ROWS_ENDLESS, "[Forever] The report was cancelled."},
        {HEAVY_ROWS_BOUNDED, "[Bounded] The report was cancelled."},
        {COSTLY_INSTR, "[Instr] The report was cancelled."},
        {COSTLY_REPLACE, "[Replace] The report was cancelled."},
    };
    for (const auto& c : cases) {
        CancelAfter progress(700);
        ServiceInstallations scripted;
        scripted.Install<CancellableProgress>(&progress);
        EXPECT_EQ(Run(c.definition, false), c.message);
        ASSERT_GE(progress.cancelledAt, 700) << c.message;
        EXPECT_LT(progress.endedAt - progress.cancelledAt, 2000) << c.message;
        EXPECT_FALSE(QFile::exists(Workbook()));
        EXPECT_TRUE(WaitForReportThreads(std::chrono::seconds(5))) << c.message;
    }
}

namespace {
// One LIKE over 180,000 characters with a 20,000-character pattern: seconds inside one call of
// the engine, where no interruption reaches.
const char* const LONG_LIKE = "[Like]\nSELECT h LIKE '%' || substr(h, 1, 20000) || 'b' "
                              "FROM (SELECT replace(hex(zeroblob(90000)), '0', 'a') AS h)\n";
} // namespace

// A statement that does not stop at the interruption is left running on its own connection:
// control comes back within 2 s of Cancel, nothing is written, and the wait for it at quit ends at
// its bound.
TEST_F(CustomReportComponentTest, AStatementPastTheInterruptionIsLeftAtCancel)
{
    const Deadline deadline(std::chrono::seconds(180), "a report left running at the user's Cancel");
    CancelAfter progress(300);
    installed.Install<CancellableProgress>(&progress);
    EXPECT_EQ(Run(LONG_LIKE, false), "[Like] The report was cancelled.");
    EXPECT_LT(progress.endedAt - progress.cancelledAt, 2000);
    QElapsedTimer waiting;
    waiting.start();
    EXPECT_FALSE(WaitForReportThreads(std::chrono::milliseconds(200)));
    EXPECT_LT(waiting.elapsed(), 1000);
    EXPECT_TRUE(WaitForReportThreads(std::chrono::seconds(150))); // the statement's end, for the next test
    EXPECT_FALSE(QFile::exists(Workbook()));
}

// A search over a megabyte that takes seconds in one call runs to its end when nobody cancels, with
// the engine's own answer: no run of the haystack holds the needle, one character longer.
TEST_F(CustomReportComponentTest, ALongSearchRunsToItsEndWithTheEnginesAnswer)
{
    ReportQueryConnection connection;
    connection.Open(results, project);
    const ReportTable table = connection.Select("SELECT instr(h, substr(h, 1, 500000) || 'b') "
                                                "FROM (SELECT replace(hex(zeroblob(500000)), '0', 'a') AS h)");
    EXPECT_EQ(table.rows, QList<QVariantList>{{qlonglong(0)}});
}

// Rows past a sheet's rows or the memory limit, or a value past the longest, stop the statement
// with a message.
TEST_F(CustomReportComponentTest, RowsPastALimitStopTheReport)
{
    const struct {
        const char* select;
        ReportLimits limits;
        const char* message;
    } cases[] = {
        {ENDLESS_WIDE_ROWS,
         {100, qsizetype(1) << 30},
         "The query returns more than 100 rows, more than a sheet holds; the report stops."},
        {ENDLESS_WIDE_ROWS,
         {1 << 30, qsizetype(1) << 20},
         "The query's rows take more than 1 MB; the report stops."},
        {"SELECT zeroblob(20000000)", {}, "The statement failed: string or blob too big"},
    };
    ReportQueryConnection connection;
    connection.Open(results, project);
    for (const auto& c : cases) {
        connection.SetLimits(c.limits);
        try {
            connection.Select(c.select);
            ADD_FAILURE() << c.message;
        } catch (const CustomReportError& error) {
            EXPECT_EQ(error.description, c.message);
            EXPECT_FALSE(error.cancelled);
        }
    }
}

// A width or precision past the longest value is refused at once, however it is written; any other
// format gives the engine's own text.
TEST_F(CustomReportComponentTest, FormatsPastTheLongestValueAreRefusedAtOnce)
{
    const char* const refused[] = {
        "printf('%.20000000c', 'x')",
        "printf('%.9066666666666666666666666666666666600c', 'x')",
        "format('%2147483000d', 1)",
        "printf('%.*c', 2000000000, 'x')",
        "printf('%d %*d', 5, -2000000000, 1)",
        "printf('%%%-0,16777217s', 'x')",
    };
    ReportQueryConnection connection;
    connection.Open(results, project);
    QElapsedTimer clock;
    clock.start();
    for (const char* call : refused) {
        try {
            connection.Select(QString("SELECT %1").arg(call));
            ADD_FAILURE() << call;
        } catch (const CustomReportError& error) {
            const QString name = QString(call).section('(', 0, 0);
            EXPECT_EQ(error.description,
                      QString("The statement failed: %1() takes no width or precision above 16777216").arg(name))
                << call;
        }
    }
    EXPECT_LT(clock.elapsed(), 2000);
    const ReportTable formatted = connection.Select(
        "SELECT printf('%.3c|%5.2f|%-4d|%*d|%%|%d%*d', 'ab', 3.14159, 7, 3, 9, 2000000000, 3, 4), "
        "format('%s', NULL), printf(NULL), length(printf('%.16777000c', 'x'))");
    ASSERT_EQ(formatted.rows.size(), 1);
    EXPECT_EQ(formatted.rows[0], (QVariantList{"aaa| 3.14|7   |  9|%|2000000000  4", "", QVariant(), qlonglong(16777000)}));
}
