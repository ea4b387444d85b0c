// The plan requirement run from the pane: the plan chosen, batches first on the engine (a pause
// continued to the end, a give-up ending the run), 0 batches leaving rows and files as they were,
// and Plan Sequence opening the sequence file through the desktop.

#include "CommaDecimalNumerics.h"
#include "PlanExplorerFixture.h"
#include "modules/engine/EngineEntry.h"
#include "planning/PlanCommandIds.h"
#include "planning/PlanReportFiles.h"
#include "planning/PlanRequirementRun.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QListWidget>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <deque>

namespace {

QByteArray FileBytesOf(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
}

// Answers queued codes and records each call.
class PlanRunEngine : public EngineEntry {
public:
    void resetSimulation(long stepID, const QString& mode) override { calls << QString("reset %1 %2").arg(stepID).arg(mode); }
    int simulateBatch(ISimStatus*, long stepID) override { return next(QString("batch %1").arg(stepID)); }
    int continueBatch(ISimStatus*, long stepID) override { return next(QString("continue %1").arg(stepID)); }

    std::deque<int> codes;
    QStringList calls;

private:
    int next(const QString& call)
    {
        calls << call;
        if (codes.empty())
            return SIMULATION_COMPLETED;
        const int code = codes.front();
        codes.pop_front();
        return code;
    }
};

} // namespace

class PlanRequirementRunTest : public PlanExplorerFixture {
protected:
    QString Sequence() const { return folder + PlanSequenceFileName(); }
    QString Factors(long planID) const { return folder + PlanFactorFileName(planID); }
    QStringList StepRuns() const { return engine.calls.filter(QRegularExpression("^(batch|continue) ")); }
    PlanRunEngine engine;
};

TEST_F(PlanRequirementRunTest, WritesTheSelectedPlansRowsAndFiles)
{
    ASSERT_TRUE(pane->RefillPlanList());
    Select("Batches");
    ASSERT_TRUE(pane->SimulatePlan(-1, false, nullptr, false));
    EXPECT_EQ(SummaryRows(PLAN_BATCHES), QStringList{"2002=2"});
    EXPECT_TRUE(SummaryRows(PLAN_WEEKLY).isEmpty());
    EXPECT_TRUE(QFile::exists(Factors(PLAN_BATCHES)));
    EXPECT_TRUE(QFile::exists(Sequence()));
    EXPECT_TRUE(prompts.texts().isEmpty());
    pane->list()->setCurrentRow(-1);
    EXPECT_FALSE(pane->SimulatePlan(-1, false, nullptr, false)); // no selection: silently
}

// A received project whose report names are links to a user's files: the run from the pane
// replaces the links with its reports, and the user's files keep their bytes.
TEST_F(PlanRequirementRunTest, LinksAtTheReportNamesAreReplacedNotWrittenThrough)
{
    QTemporaryDir outside;
    const QString thesis = outside.filePath("thesis.docx"), notes = outside.filePath("notes.txt");
    for (const QString& user : {thesis, notes}) {
        QFile file(user);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly) && file.write("precious") == 8);
    }
    QFile::remove(Sequence());
    QFile::remove(Factors(PLAN_BATCHES));
    ASSERT_TRUE(QFile::link(thesis, Sequence()));
    ASSERT_TRUE(QFile::link(notes, Factors(PLAN_BATCHES)));
    ASSERT_TRUE(pane->RefillPlanList());
    Select("Batches");
    ASSERT_TRUE(pane->SimulatePlan(-1, false, nullptr, false));
    for (const QString& report : {Sequence(), Factors(PLAN_BATCHES)}) {
        EXPECT_FALSE(QFileInfo(report).isSymLink());
        EXPECT_TRUE(FileBytesOf(report).startsWith("\xFF\xFE")) << report.toStdString();
    }
    EXPECT_EQ(FileBytesOf(thesis), "precious");
    EXPECT_EQ(FileBytesOf(notes), "precious");
    EXPECT_EQ(QDir(outside.path()).entryList(QDir::Files | QDir::Hidden),
              (QStringList{"notes.txt", "thesis.docx"}));
}

struct RefusalCase {
    const char* name;
    long planID;
    const char* setup;
    const char* message;
};

const RefusalCase REFUSAL_CASES[] = {
    {"NoRequirements", PLAN_SPARE, "", "There is no data in the selected Plan."},
    {"NoBatches", PLAN_WEEKLY, "UPDATE PlanRequirements SET Quantity = 0", "The selected plan resulted in 0 batches."},
    {"TargetsNotInProject", PLAN_WEEKLY, "DELETE FROM \"Process-To-Project\"", "The selected plan resulted in 0 batches."},
};

class PlanRunRefusalTest : public PlanRequirementRunTest, public ::testing::WithParamInterface<RefusalCase> {};

// Rows and files of an earlier run stay byte for byte, also under a comma-decimal locale.
TEST_P(PlanRunRefusalTest, LeavesRowsAndFilesAsTheyWere)
{
    const RefusalCase& c = GetParam();
    ASSERT_TRUE(RunPlanRequirements(PLAN_BATCHES, nullptr, false));
    ASSERT_TRUE(RunPlanRequirements(PLAN_WEEKLY, nullptr, false));
    if (*c.setup)
        ExecuteProject(QString::fromUtf8(c.setup));
    const QStringList detail = DetailRows(c.planID), summary = SummaryRows(c.planID);
    const QByteArray sequence = FileBytesOf(Sequence()), factors = FileBytesOf(Factors(c.planID));
    CommaDecimalNumerics numerics;
    prompts.expect(IDOK);
    EXPECT_FALSE(RunPlanRequirements(c.planID, nullptr, false));
    EXPECT_EQ(prompts.lastText(), QString::fromUtf8(c.message));
    EXPECT_EQ(DetailRows(c.planID), detail);
    EXPECT_EQ(SummaryRows(c.planID), summary);
    EXPECT_EQ(FileBytesOf(Sequence()), sequence);
    EXPECT_EQ(FileBytesOf(Factors(c.planID)), factors);
}

INSTANTIATE_TEST_SUITE_P(Refusals, PlanRunRefusalTest, ::testing::ValuesIn(REFUSAL_CASES),
                         [](const auto& info) { return std::string(info.param.name); });

// The same rows and file bytes under a comma-decimal numeric locale as under C.
TEST_F(PlanRequirementRunTest, ACommaDecimalLocaleWritesTheSameBytes)
{
    ASSERT_TRUE(RunPlanRequirements(PLAN_WEEKLY, nullptr, false));
    const QByteArray sequence = FileBytesOf(Sequence()), factors = FileBytesOf(Factors(PLAN_WEEKLY));
    const QStringList detail = DetailRows(PLAN_WEEKLY);
    CommaDecimalNumerics numerics;
    if (numerics.problem())
        GTEST_SKIP() << numerics.problem();
    ASSERT_TRUE(RunPlanRequirements(PLAN_WEEKLY, nullptr, false));
    EXPECT_EQ(FileBytesOf(Sequence()), sequence);
    EXPECT_EQ(FileBytesOf(Factors(PLAN_WEEKLY)), factors);
    EXPECT_EQ(DetailRows(PLAN_WEEKLY), detail);
}

// A step required twice runs once, a process's steps each run; a pause at a breakpoint is
// continued to the end of the batch.
TEST_F(PlanRequirementRunTest, BatchesFirstRunEachStepToItsEnd)
{
    ExecuteProject("INSERT INTO PlanRequirements (PlanID, StepOrProcessID, StepOrProcess, Quantity, QuantityUOM) "
                   "VALUES (1, 2002, 'Step', 1, 'batches'), (1, 2002, 'step', 1, 'batches')");
    engine.codes = {SIMULATION_COMPLETED, SIMULATION_PAUSED, SIMULATION_PAUSED, SIMULATION_COMPLETED};
    ASSERT_TRUE(RunPlanRequirements(PLAN_WEEKLY, &engine, true)) << prompts.texts().join('|').toStdString();
    EXPECT_EQ(StepRuns(), QStringList({"batch 2001", "batch 2002", "continue 2002", "continue 2002"}));
    EXPECT_FALSE(SummaryRows(PLAN_WEEKLY).isEmpty());
}

struct GiveUpCase {
    const char* name;
    int code;
};

class PlanRunGiveUpTest : public PlanRequirementRunTest, public ::testing::WithParamInterface<GiveUpCase> {};

// A give-up code (also after a pause) ends the run: the step is reset, no plan rows are written.
TEST_P(PlanRunGiveUpTest, EndsTheRunWithoutPlanRows)
{
    engine.codes = {SIMULATION_COMPLETED, SIMULATION_PAUSED, GetParam().code};
    EXPECT_FALSE(RunPlanRequirements(PLAN_WEEKLY, &engine, true));
    EXPECT_EQ(StepRuns(), QStringList({"batch 2001", "batch 2002", "continue 2002"}));
    EXPECT_EQ(engine.calls.last(), "reset 2002 ReadAndSimulate");
    EXPECT_TRUE(SummaryRows(PLAN_WEEKLY).isEmpty());
}

INSTANTIATE_TEST_SUITE_P(Codes, PlanRunGiveUpTest,
                         ::testing::Values(GiveUpCase{"Failed", SIMULATION_FAILED},
                                           GiveUpCase{"Cancelled", SIMULATION_CANCELLED}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(PlanRequirementRunTest, BatchesWithoutAnEngineEndAtOnce)
{
    EXPECT_FALSE(RunPlanRequirements(PLAN_WEEKLY, nullptr, true));
    EXPECT_TRUE(SummaryRows(PLAN_WEEKLY).isEmpty());
    EXPECT_TRUE(prompts.texts().isEmpty());
}

// Plan Sequence: the run without batches, then PlanSequence.txt of the project folder through the
// desktop; a file the desktop does not take is reported by its path.
TEST_F(PlanRequirementRunTest, PlanSequenceOpensTheSequenceFile)
{
    ASSERT_TRUE(pane->RefillPlanList());
    pane->OnCommand(ID_PLAN_SEQUENCE);
    EXPECT_EQ(fakes.opened, QStringList{QDir(folder).filePath("PlanSequence.txt")});
    fakes.openerAnswer = false;
    prompts.expect(IDOK);
    pane->OnCommand(ID_PLAN_SEQUENCE);
    EXPECT_EQ(prompts.lastText(),
              QString("File %1 could not be opened!").arg(QDir::toNativeSeparators(QDir(folder).filePath("PlanSequence.txt"))));
    Select("Spare");
    prompts.expect(IDOK);
    pane->OnCommand(ID_PLAN_SEQUENCE);
    EXPECT_EQ(fakes.opened.size(), 2); // a failed run opens nothing
}
