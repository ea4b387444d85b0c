// The schedule window: a simulated step's, process's or plan's results drawn and tabled, one window
// per key, brought forward when open, re-read by the refresh after a run; no window without results.

#include "FakeAppContext.h"
#include "ScriptedPrompts.h"

#include "foundation/common/ServiceSlot.h"
#include "foundation/common/concerns/DocumentHost.h"
#include "foundation/db/connection/DaoDatabase.h"
#include "foundation/db/schema/ResultsDatabase.h"
#include "results/ResultWindows.h"
#include "results/RunReport.h"
#include "results/ScheduleWindow.h"

#include <QDir>
#include <QFile>
#include <QTableWidget>
#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace {
// Keeps the tabs it is given, as the frame's tabbed area does.
class RunReportHost : public DocumentHost {
public:
    void AddDocTab(QWidget* window, DocumentKind kind, long id, const QString& title) override
    {
        tabs.push_back({kind, id, std::unique_ptr<QWidget>(window)});
        calls << QStringLiteral("add %1 %2 %3").arg(int(kind)).arg(id).arg(title);
    }
    bool ActivateDocument(DocumentKind kind, long id) override
    {
        calls << QStringLiteral("activate %1 %2").arg(int(kind)).arg(id);
        return true;
    }
    QList<HostedDocument> ListDocuments(DocumentKind kind) const override
    {
        QList<HostedDocument> found;
        for (const Tab& tab : tabs) {
            if (tab.kind == kind)
                found.append({tab.id, tab.window.get()});
        }
        return found;
    }
    struct Tab {
        DocumentKind kind;
        long id;
        std::unique_ptr<QWidget> window;
    };
    std::vector<Tab> tabs;
    QStringList calls;
};

class RunReportTest : public ::testing::Test {
protected:
    RunReportTest()
    {
        context.fileSet().projectDir = context.root();
        installed.Install<DocumentHost>(&host);
    }
    void WriteSchedule(const QString& fileName, const QList<ResultsScheduleRow>& rows)
    {
        ASSERT_TRUE(WriteResultsAtomically(context.root() + fileName, [&](CSchemaBuilder& builder) {
            return WriteScheduleRows(builder, rows);
        }));
    }
    // The column gets another name, as in a results file of another schema.
    void RenameColumn(const QString& fileName, const QString& table, const QString& column)
    {
        CDaoDatabase database;
        database.Open(context.root() + fileName, DatabaseRole::ReadWrite);
        database.Execute(QString("ALTER TABLE %1 RENAME COLUMN %2 TO %2Old").arg(table, column));
        database.Close();
    }
    QByteArray Bytes(const QString& fileName) const
    {
        QFile file(context.root() + fileName);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }
    // The cells of a table line the user sees (hidden columns left out).
    static QStringList Row(const CScheduleWindow& window, int line)
    {
        QStringList values;
        for (int column = 0; column < window.Table()->columnCount(); ++column) {
            if (!window.Table()->isColumnHidden(column))
                values << window.Table()->item(line, column)->text();
        }
        return values;
    }

    FakeAppContext context;
    ScriptedPromptService prompts;
    ScopedPromptService promptScope{&prompts};
    RunReportHost host;
    ServiceInstallations installed;
    const QList<ResultsScheduleRow> stepRows{{5, 2, 0.0, 1800, 1800, 11, 0}, {5, 3, 1800, 9000, 7200, 12, 0}};
};

TEST_F(RunReportTest, AStepsScheduleOpensWithTheFilesRowsAndASecondCallActivatesIt)
{
    WriteSchedule("QVSTEP_5.mdb", stepRows);
    CScheduleWindow* window = OpenScheduleWindow(&host, {ScheduleKind::Step, 5, "Filter(1)"});
    ASSERT_TRUE(window);
    ASSERT_EQ(window->EntryCount(), 2);
    // Without the step's database the operations show by id and the equipment by its number.
    EXPECT_EQ(Row(*window, 1), QStringList({"", "Operation 3", "#12", "0:30", "2:30", "2:00", ""}));
    EXPECT_EQ(window->windowTitle(), "Schedule: Filter(1)");
    EXPECT_EQ(OpenScheduleWindow(&host, {ScheduleKind::Step, 5, "Filter(1)"}), window);
    EXPECT_EQ(host.calls, QStringList({"add 1 5 Schedule: Filter(1)", "activate 1 5"}));
}

TEST_F(RunReportTest, APlansScheduleShowsItsBatchesUnderItsKey)
{
    WriteSchedule("QVPLAN_3.mdb", {{5, 2, 0, 600, 600, 11, 1}, {5, 2, 3600, 4200, 600, 11, 2}});
    ContextRecord context;
    context.planID = 3;
    context.planName = "Campaign";
    CScheduleWindow* window = OpenScheduleWindow(&host, ChooseRunReportTarget(context));
    ASSERT_TRUE(window);
    EXPECT_EQ(window->windowTitle(), "Schedule: Plan - Campaign");
    EXPECT_EQ(window->ShortTitle(), "Schedule");
    EXPECT_EQ(Row(*window, 1).mid(0, 3), QStringList({"Step 5", "2", ""}));
    EXPECT_EQ(host.calls, QStringList({"add 1 99003 Schedule: Plan - Campaign"}));
    // A step's window of the same id is another window.
    WriteSchedule("QVSTEP_3.mdb", stepRows);
    EXPECT_NE(OpenScheduleWindow(&host, {ScheduleKind::Step, 3, "Mill(1)"}), window);
    EXPECT_EQ(host.calls.last(), "add 1 3 Schedule: Mill(1)");
}

TEST_F(RunReportTest, WithoutResultsTheUserIsToldAndNoWindowOpens)
{
    WriteSchedule("QVSTEP_6.mdb", {}); // simulated, nothing scheduled
    prompts.expect(IDOK);
    prompts.expect(IDOK);
    EXPECT_EQ(OpenScheduleWindow(&host, {ScheduleKind::Step, 4, "Dryer(2)"}), nullptr);
    EXPECT_EQ(OpenScheduleWindow(&host, {ScheduleKind::Step, 6, "Mill(1)"}), nullptr);
    EXPECT_EQ(prompts.texts(),
              QStringList({"There are no results for Dryer(2).", "There are no results for Mill(1)."}));
    EXPECT_TRUE(host.tabs.empty());
    EXPECT_FALSE(QDir(context.root()).exists("QVSTEP_4.mdb"));
    QString failure; // a script is told instead of the user
    EXPECT_EQ(OpenScheduleWindow(&host, {ScheduleKind::Plan, 2, "Campaign"}, &failure), nullptr);
    EXPECT_EQ(failure, "There are no results for Campaign.");
    EXPECT_EQ(prompts.texts().size(), 2);
}

TEST_F(RunReportTest, TheRefreshAfterARunReadsTheNewScheduleAndARenameRetitles)
{
    WriteSchedule("QVPROC_7.mdb", stepRows);
    CScheduleWindow* window = OpenScheduleWindow(&host, {ScheduleKind::Process, 7, "Amidol (Base)"});
    ASSERT_TRUE(window);
    EXPECT_EQ(host.calls, QStringList({"add 1 98007 Schedule: Process - Amidol (Base)"}));
    WriteSchedule("QVPROC_7.mdb", {{5, 7, 0.0, 540, 540, 13, 0}});
    RefreshResultWindows("QVSTEP", 7, QString()); // another kind's results
    EXPECT_EQ(window->EntryCount(), 2);
    RefreshResultWindows("QVPROC", 7, QString());
    ASSERT_EQ(window->EntryCount(), 1);
    EXPECT_EQ(Row(*window, 0), QStringList({"Step 5", "", "Operation 7", "#13", "0:00", "0:09", "0:09", ""}));
    RefreshResultWindows("QVPROC", 7, "P");
    EXPECT_EQ(window->windowTitle(), "Schedule: Process - P");
    EXPECT_EQ(window->ShortTitle(), "Schedule");
    EXPECT_EQ(window->Context().processName, "P");
    EXPECT_EQ(window->Context().kind, CONTEXT_GANTT);
    EXPECT_EQ(window->Context().processID, 7);
}

// A results file of another schema (here: one column renamed) reads as no results: the user is told
// once why, the command goes on as without results, and the file stays as it was.
TEST_F(RunReportTest, AResultsFileOfAnotherSchemaIsReportedAndReadsAsNone)
{
    const struct {
        ScheduleTarget target;
        const char* file;
        const char* column;
        const char* owner;
    } cases[] = {
        {{ScheduleKind::Step, 5, "Filter(1)"}, "QVSTEP_5.mdb", "StartTime", "step 5"},
        {{ScheduleKind::Plan, 3, "Campaign"}, "QVPLAN_3.mdb", "BatchNumber", "plan 3"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.file);
        WriteSchedule(c.file, stepRows);
        RenameColumn(c.file, "OperationSchedule", c.column);
        const QByteArray before = Bytes(c.file);
        prompts.clear();
        prompts.expect(IDOK);
        prompts.expect(IDOK);
        EXPECT_EQ(OpenScheduleWindow(&host, c.target), nullptr);
        EXPECT_EQ(prompts.texts(),
                  QStringList({QString("The results of %1 cannot be read: the table OperationSchedule "
                                       "has no column %2. Run the simulation again.")
                                   .arg(c.owner, c.column),
                               "There are no results for " + c.target.name + "."}));
        EXPECT_TRUE(host.tabs.empty());
        EXPECT_EQ(Bytes(c.file), before);
    }
}

TEST_F(RunReportTest, TheRefreshOfAWindowWhoseFileTurnedUnreadableEmptiesIt)
{
    WriteSchedule("QVSTEP_5.mdb", stepRows);
    CScheduleWindow* window = OpenScheduleWindow(&host, {ScheduleKind::Step, 5, "Filter(1)"});
    ASSERT_TRUE(window);
    WriteSchedule("QVSTEP_5.mdb", {{5, 7, 0.0, 9.0, 9.0, 13, 0}});
    RenameColumn("QVSTEP_5.mdb", "OperationSchedule", "EquipmentID");
    prompts.expect(IDOK);
    RefreshResultWindows("QVSTEP", 5, QString());
    EXPECT_EQ(window->EntryCount(), 0);
    EXPECT_EQ(window->Table()->rowCount(), 0);
    EXPECT_EQ(prompts.texts(),
              QStringList({"The results of step 5 cannot be read: the table OperationSchedule has "
                           "no column EquipmentID. Run the simulation again."}));
    RefreshResultWindows("QVSTEP", 5, QString()); // the same file is not reported again
    EXPECT_EQ(prompts.texts().size(), 1);
}

TEST(RunReportTargetTest, EachCommandChoosesItsTargetFromTheContext)
{
    const struct {
        const char* name;
        long step, process, plan;
        bool processNode;
        ScheduleKind runReport, schedule;
        long runReportID, scheduleID;
    } rows[] = {
        {"a step", 4, 2, -1, false, ScheduleKind::Step, ScheduleKind::Step, 4, 4},
        {"a step before the plan", 4, -1, 3, false, ScheduleKind::Step, ScheduleKind::Step, 4, 4},
        {"a plan", -1, -1, 3, false, ScheduleKind::Plan, ScheduleKind::Plan, 3, 3},
        {"a process node", -1, 2, -1, true, ScheduleKind::Plan, ScheduleKind::Process, -1, 2},
    };
    for (const auto& r : rows) {
        ContextRecord c;
        c.stepID = r.step;
        c.processID = r.process;
        c.planID = r.plan;
        c.processNodeSelected = r.processNode;
        EXPECT_EQ(ChooseRunReportTarget(c).kind, r.runReport) << r.name;
        EXPECT_EQ(ChooseRunReportTarget(c).id, r.runReportID) << r.name;
        EXPECT_EQ(ChooseScheduleTarget(c).kind, r.schedule) << r.name;
        EXPECT_EQ(ChooseScheduleTarget(c).id, r.scheduleID) << r.name;
    }
    EXPECT_EQ(OpenScheduleWindow(nullptr, {ScheduleKind::Plan, -1, ""}, nullptr), nullptr);
}

TEST(ScheduleTimeTest, HoursAndMinutesFromTheStart)
{
    constexpr double inf = std::numeric_limits<double>::infinity();
    const std::pair<double, const char*> rows[] = {
        {0, "0:00"},        {29, "0:00"},   {31, "0:01"},  {5400, "1:30"},   {36000, "10:00"},
        {-5, "0:00"},       {90000, "25:00"}, {-inf, "0:00"}, {1e35, ""},       {inf, ""},
        {std::nan(""), ""}, {1e30, "16666666666666:40"}};
    for (const auto& [seconds, text] : rows)
        EXPECT_EQ(FormatScheduleTime(seconds), text) << seconds;
}
} // namespace
