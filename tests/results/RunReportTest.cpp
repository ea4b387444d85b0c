// The Run Report command: a simulated step's or plan's schedule window, brought forward when open,
// re-read by the refresh after a run; no window without results.

#include "FakeAppContext.h"
#include "ScriptedPrompts.h"

#include "foundation/common/DocumentHost.h"
#include "foundation/common/ServiceSlot.h"
#include "foundation/db/DaoDatabase.h"
#include "foundation/db/ResultsDatabase.h"
#include "results/RunReport.h"
#include "results/RunReportWindow.h"
#include "simulation/ResultWindows.h"

#include <QDir>
#include <QFile>
#include <QTableWidget>
#include <gtest/gtest.h>

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
        ASSERT_TRUE(WriteResultsAtomically(context.root() + fileName,
                                           [&](CSchemaBuilder& builder) { return WriteScheduleRows(builder, rows); }));
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
    static QList<double> Row(const CRunReportWindow& window, int line)
    {
        QList<double> values;
        for (int column = 0; column < window.Table()->columnCount(); ++column)
            values << window.Table()->item(line, column)->data(Qt::DisplayRole).toDouble();
        return values;
    }

    FakeAppContext context;
    ScriptedPromptService prompts;
    ScopedPromptService promptScope{&prompts};
    RunReportHost host;
    ServiceInstallations installed;
    const QList<ResultsScheduleRow> stepRows{{5, 2, 0.0, 1.0, 1.0, 11, 0}, {5, 3, 1.0, 3.5, 2.5, 12, 0}};
};

TEST_F(RunReportTest, AStepsScheduleOpensWithTheFilesRowsAndASecondCallActivatesIt)
{
    WriteSchedule("QVSTEP_5.mdb", stepRows);
    CRunReportWindow* window = OpenRunReport(&host, {false, 5, "Filter(1)"});
    ASSERT_TRUE(window);
    ASSERT_EQ(window->RowCount(), 2);
    EXPECT_EQ(Row(*window, 1), QList<double>({5, 0, 3, 1.0, 3.5, 2.5, 12}));
    EXPECT_TRUE(window->Table()->isColumnHidden(1)); // no batches outside a plan
    EXPECT_EQ(window->windowTitle(), "Schedule: Filter(1)");
    EXPECT_EQ(OpenRunReport(&host, {false, 5, "Filter(1)"}), window);
    EXPECT_EQ(host.calls, QStringList({"add 1 5 Schedule: Filter(1)", "activate 1 5"}));
}

TEST_F(RunReportTest, APlansScheduleShowsItsBatches)
{
    WriteSchedule("QVPLAN_3.mdb", {{5, 2, 0, 1, 1, 11, 1}, {5, 2, 4, 5, 1, 11, 2}});
    CRunReportWindow* window = OpenRunReport(&host, ChooseRunReportTarget(-1, "", 3, "Campaign"));
    ASSERT_TRUE(window);
    EXPECT_EQ(window->windowTitle(), "Schedule: Plan - Campaign");
    EXPECT_EQ(window->ShortTitle(), "Schedule");
    EXPECT_FALSE(window->Table()->isColumnHidden(1));
    EXPECT_EQ(Row(*window, 1).mid(0, 4), QList<double>({5, 2, 2, 4}));
}

TEST_F(RunReportTest, WithoutResultsTheUserIsToldAndNoWindowOpens)
{
    WriteSchedule("QVSTEP_6.mdb", {}); // simulated, nothing scheduled
    prompts.expect(IDOK);
    prompts.expect(IDOK);
    EXPECT_EQ(OpenRunReport(&host, {false, 4, "Dryer(2)"}), nullptr);
    EXPECT_EQ(OpenRunReport(&host, {false, 6, "Mill(1)"}), nullptr);
    EXPECT_EQ(prompts.texts(),
              QStringList({"There are no results for Dryer(2).", "There are no results for Mill(1)."}));
    EXPECT_TRUE(host.tabs.empty());
    EXPECT_FALSE(QDir(context.root()).exists("QVSTEP_4.mdb"));
    QString failure; // a script is told instead of the user
    EXPECT_EQ(OpenRunReport(&host, {true, 2, "Campaign"}, &failure), nullptr);
    EXPECT_EQ(failure, "There are no results for Campaign.");
    EXPECT_EQ(prompts.texts().size(), 2);
}

TEST_F(RunReportTest, TheRefreshAfterARunReadsTheNewSchedule)
{
    WriteSchedule("QVSTEP_5.mdb", stepRows);
    CRunReportWindow* window = OpenRunReport(&host, {false, 5, "Filter(1)"});
    ASSERT_TRUE(window);
    WriteSchedule("QVSTEP_5.mdb", {{5, 7, 0.0, 9.0, 9.0, 13, 0}});
    RefreshResultWindows("QVSTEP", 5, QString());
    ASSERT_EQ(window->RowCount(), 1);
    EXPECT_EQ(Row(*window, 0), QList<double>({5, 0, 7, 0.0, 9.0, 9.0, 13}));
    RefreshResultWindows("QVSTEP", 5, "Filter(2)");
    EXPECT_EQ(window->windowTitle(), "Schedule: Filter(2)");
}

// A results file of another schema (here: one column renamed) reads as no results: the user is told
// once why, the command goes on as without results, and the file stays as it was.
TEST_F(RunReportTest, AResultsFileOfAnotherSchemaIsReportedAndReadsAsNone)
{
    const struct {
        RunReportTarget target;
        const char* file;
        const char* column;
        const char* owner;
    } cases[] = {
        {{false, 5, "Filter(1)"}, "QVSTEP_5.mdb", "StartTime", "step 5"},
        {{true, 3, "Campaign"}, "QVPLAN_3.mdb", "BatchNumber", "plan 3"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.file);
        WriteSchedule(c.file, stepRows);
        RenameColumn(c.file, "OperationSchedule", c.column);
        const QByteArray before = Bytes(c.file);
        prompts.clear();
        prompts.expect(IDOK);
        prompts.expect(IDOK);
        EXPECT_EQ(OpenRunReport(&host, c.target), nullptr);
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
    CRunReportWindow* window = OpenRunReport(&host, {false, 5, "Filter(1)"});
    ASSERT_TRUE(window);
    WriteSchedule("QVSTEP_5.mdb", {{5, 7, 0.0, 9.0, 9.0, 13, 0}});
    RenameColumn("QVSTEP_5.mdb", "OperationSchedule", "EquipmentID");
    prompts.expect(IDOK);
    RefreshResultWindows("QVSTEP", 5, QString());
    EXPECT_EQ(window->RowCount(), 0);
    EXPECT_EQ(prompts.texts(),
              QStringList({"The results of step 5 cannot be read: the table OperationSchedule has "
                           "no column EquipmentID. Run the simulation again."}));
    RefreshResultWindows("QVSTEP", 5, QString()); // the same file is not reported again
    EXPECT_EQ(prompts.texts().size(), 1);
}

TEST(RunReportTargetTest, TheContextStepComesBeforeThePlan)
{
    const RunReportTarget step = ChooseRunReportTarget(4, "Dryer(2)", 3, "Campaign");
    EXPECT_FALSE(step.plan);
    EXPECT_EQ(step.id, 4);
    const RunReportTarget none = ChooseRunReportTarget(-1, "", -1, "");
    EXPECT_EQ(OpenRunReport(nullptr, none), nullptr);
}
} // namespace
