// A plan from its requirements to its results: batch counts, the rows replaced, then the
// product-factor report and the plan sequence file; a failing row write leaves rows and files as
// they were. Also on a project opened the way the program opens one, with the process's step
// transitions built from its material flow.

#include "PlanFixture.h"
#include "FakeFrameServices.h"
#include "ScriptedProjectDialogs.h"
#include "ScriptedWarningDialog.h"
#include "foundation/db/connection/DaoDatabase.h"
#include "foundation/db/schema/SchemaBuilder.h"
#include "planning/PlanCalculationRun.h"
#include "planning/PlanReportFiles.h"
#include "projects/ProjectManager.h"

#include <QDir>
#include <QFile>
#include <QSqlQuery>
#include <QtEndian>

namespace {

PlanRequirementRequest ProcessRequest(long requirementID, long processID, double quantity)
{
    PlanRequirementRequest request;
    request.RequirementID = requirementID;
    request.StepOrProcess = QStringLiteral("process");
    request.StepOrProcessID = processID;
    request.Quantity = quantity;
    return request;
}

PlanRequirementRequest StepBatchesRequest(long requirementID, long stepID, double batches)
{
    PlanRequirementRequest request;
    request.RequirementID = requirementID;
    request.StepOrProcess = QStringLiteral("Step");
    request.StepOrProcessID = stepID;
    request.Quantity = batches;
    request.QuantityUOM = QStringLiteral("batches");
    request.FirstBatchOverlap = false;
    return request;
}

QByteArray RunFileBytes(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// The report's lines between "\r\n"s, after its byte-order mark; empty when the file is missing
// or does not start with one.
QStringList ReportLines(const QString& path)
{
    const QByteArray bytes = RunFileBytes(path);
    if (bytes.size() < 2 || qFromLittleEndian<quint16>(bytes.constData()) != 0xFEFF)
        return {};
    QString text;
    for (qsizetype i = 2; i + 1 < bytes.size(); i += 2)
        text.append(QChar(qFromLittleEndian<quint16>(bytes.constData() + i)));
    return text.split(QStringLiteral("\r\n"));
}

QString SequenceLine(const QString& step, const QString& overlap, const QString& plant)
{
    return step.leftJustified(32) + overlap.leftJustified(10) + plant.leftJustified(32);
}

const QString FACTOR_TITLE = QStringLiteral("Tamro Plenthover Product Factors").rightJustified(45);

// Steps 2001 -> 2002 of batch sizes 20 and 50: 100 of the process's product is 5 and 2 batches.
ProjectSpec TwoStepProject()
{
    return PlanProject({PlanStep(2001, 500, 501, 20.0), PlanStep(2002, 501, 502, 50.0)},
                       {{1, "Two", "1", {}, 502, 500, {2001, 2002}}});
}

} // namespace

class PlanCalculationRunTest : public PlanFixture {
protected:
    void SetUp() override { Open(TwoStepProject()); }
    QString FactorFile() const { return folder + PlanFactorFileName(PLAN_A); }
    QString SequenceFile() const { return folder + PlanSequenceFileName(); }
};

TEST_F(PlanCalculationRunTest, RowsThenBothFilesWithPerCycleCounts)
{
    ASSERT_TRUE(CalculateAndWritePlan(PLAN_A, {ProcessRequest(7, 1, 100.0), StepBatchesRequest(8, 2002, 2)}));
    EXPECT_EQ(DetailRows(PLAN_A), QStringList({"2001:1:F", "2001:1:-", "2002:1:-", "2001:1:-", "2001:1:-",
                                               "2001:1:-", "2002:1:-", "2002:0:F", "2002:1:-"}));
    EXPECT_EQ(SummaryRows(PLAN_A), QStringList({"2001=5", "2002=2", "2002=2"}));

    const QStringList factors = ReportLines(FactorFile());
    ASSERT_GE(factors.size(), 12);
    EXPECT_EQ(factors.mid(0, 4), QStringList({"", "", FACTOR_TITLE, ""}));
    EXPECT_EQ(factors.count("Plan Quantity:"), 2);
    EXPECT_TRUE(factors.contains("100 kg of Material 502 via Process Two (version: 1)"));
    // Each block prints the counts its rows run.
    EXPECT_EQ(factors.count("        5 batches"), 1);
    EXPECT_EQ(factors.count("        2 batches"), 2);

    const QStringList sequence = ReportLines(SequenceFile());
    ASSERT_EQ(sequence.size(), 4 + 9 + 1);
    EXPECT_EQ(sequence.mid(0, 4), QStringList({"Plan Sequence", "", SequenceLine("Step (Version)", "Overlap?", "Plant"), ""}));
    EXPECT_EQ(sequence.at(4), SequenceLine("Step 2001(1.0)", "Yes", "Plan Works"));
    EXPECT_EQ(sequence.at(6), SequenceLine("Step 2002(1.0)", "Yes", "Plan Works"));
    EXPECT_EQ(sequence.at(11), SequenceLine("Step 2002(1.0)", "No", "Plan Works"));
    EXPECT_EQ(sequence.last(), "");
    EXPECT_TRUE(prompts.texts().isEmpty());
}

// A failing row write or a plan of no batches: this plan's rows and both older files stay.
struct KeptCase {
    const char* name;
    const char* trigger; // empty: none
    double quantity;
    bool messageShown;
};

const KeptCase KEPT_CASES[] = {
    {"ThirdDetailInsertFails",
     "CREATE TRIGGER Injected BEFORE INSERT ON ProductionPlanDetail WHEN (SELECT count(*) FROM "
     "ProductionPlanDetail WHERE PlanID = 1) >= 2 BEGIN SELECT RAISE(ABORT, 'injected failure'); END",
     100.0, true},
    {"SecondSummaryInsertFails",
     "CREATE TRIGGER Injected BEFORE INSERT ON PlanSummary WHEN (SELECT count(*) FROM PlanSummary "
     "WHERE PlanID = 1) >= 1 BEGIN SELECT RAISE(ABORT, 'injected failure'); END",
     100.0, true},
    {"NoBatches", "", 0.0, false},
};

class PlanCalculationKeptTest : public PlanCalculationRunTest, public ::testing::WithParamInterface<KeptCase> {};

TEST_P(PlanCalculationKeptTest, RowsAndFilesStayAsTheyWere)
{
    const KeptCase& c = GetParam();
    ExecuteProject("INSERT INTO ProductionPlanDetail (PlanID, StepID) VALUES (1, 2002), (2, 2001)");
    ExecuteProject("INSERT INTO PlanSummary (PlanID, StepID, NumberOfBatches) VALUES (1, 2002, 1)");
    if (*c.trigger)
        ExecuteProject(QString::fromLatin1(c.trigger));
    for (const QString& file : {FactorFile(), SequenceFile()}) {
        QFile old(file);
        ASSERT_TRUE(old.open(QIODevice::WriteOnly));
        old.write("older run");
    }
    if (c.messageShown)
        prompts.expect(IDOK);
    EXPECT_FALSE(CalculateAndWritePlan(PLAN_A, {ProcessRequest(7, 1, c.quantity)}));
    EXPECT_EQ(prompts.lastText().contains("injected failure"), c.messageShown) << prompts.lastText().toStdString();
    EXPECT_TRUE(prompts.allAnswersUsed());
    EXPECT_EQ(DetailRows(PLAN_A), QStringList({"2002::F"}));
    EXPECT_EQ(DetailRows(PLAN_B), QStringList({"2001::F"}));
    EXPECT_EQ(SummaryRows(PLAN_A), QStringList({"2002=1"}));
    EXPECT_EQ(RunFileBytes(FactorFile()), "older run");
    EXPECT_EQ(RunFileBytes(SequenceFile()), "older run");
}

INSTANTIATE_TEST_SUITE_P(Cases, PlanCalculationKeptTest, ::testing::ValuesIn(KEPT_CASES),
                         [](const auto& info) { return std::string(info.param.name); });

// The project opened by the project manager: working copies, the step registry, the facility
// names of the copied equipment database; the transitions built from the steps' material flow.
class PlanOnOpenedProjectTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        const QString language = app.fakePaths().languageDir() + "QVEnglish.lng";
        QString error;
        ASSERT_TRUE(CSchemaBuilder::Build(DatabaseKind::Language, language, &error)) << error.toStdString();
        app.fileSet().defaultLanguageTemplatePath = language;
        folder = app.root() + "projects/Plans/";
        CProjectGenerator generator;
        ASSERT_TRUE(generator.Write(TwoStepProject(), folder)) << generator.ErrorText().toStdString();
        ASSERT_TRUE(manager.OpenProjectByPath(folder + "Plans.prj"));
    }
    QStringList Column(const QString& sql) const
    {
        QStringList values;
        QSqlQuery query = app.fileSet().projectDatabase->Query(sql);
        while (query.next())
            values << query.value(0).toString();
        return values;
    }

    FakeAppContext app;
    FakeFrameServices frame;
    ScriptedPromptService prompts;
    ScriptedFileDialogService dialogs;
    ScriptedWarningDialogService warnings;
    ScriptedProjectDialogs projectDialogs;
    CProjectManager manager{app.fileSet(), app.stepDatabases()};
    QString folder;
};

// 5 and 2 batches: two cycles of 2 and 1, the remainder in the last, in the built run order.
TEST_F(PlanOnOpenedProjectTest, ProcessRequirementCyclesOverBuiltTransitions)
{
    ASSERT_TRUE(CalculateAndWritePlan(PLAN_A, {ProcessRequest(7, 1, 100.0)}));
    EXPECT_EQ(Column("SELECT FromStepID || '>' || ToStepID FROM StepTransition WHERE ProcessID = 1 "
                     "ORDER BY FromStepID"),
              QStringList({"1>2001", "2001>2002"}));
    EXPECT_EQ(Column("SELECT StepID FROM ProductionPlanDetail WHERE PlanID = 1 ORDER BY LineItemID"),
              QStringList({"2001", "2001", "2002", "2001", "2001", "2001", "2002"}));
    EXPECT_EQ(Column("SELECT StepID || '=' || NumberOfBatches FROM PlanSummary WHERE PlanID = 1 ORDER BY RowKey"),
              QStringList({"2001=5", "2002=2"}));
    const QStringList sequence = ReportLines(folder + PlanSequenceFileName());
    ASSERT_EQ(sequence.size(), 4 + 7 + 1);
    EXPECT_EQ(sequence.at(10), SequenceLine("Step 2002(1.0)", "Yes", "Plan Works"));
    EXPECT_EQ(ReportLines(folder + PlanFactorFileName(PLAN_A)).count("        2 batches"), 1);
    EXPECT_TRUE(prompts.texts().isEmpty());
}
