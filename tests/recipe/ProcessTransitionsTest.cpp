// A process's step transitions from the material flow between its steps, and the walk of stored
// transitions in run order.

#include "TransitionFixture.h"

#include "foundation/common/MessageBox.h"
#include "recipe/transitions/TransitionBuilder.h"

#include <QSqlQuery>

namespace {

constexpr long PROCESS = 1;

struct FlowStep {
    long id;
    long input;
    long output;
    bool cleaning = false;
    long secondInput = -1;
};

struct ProcessCase {
    const char* name;
    QList<FlowStep> steps; // in the process's step order
    long finalProduct;
    QStringList records;
};

const QList<ProcessCase>& processCases()
{
    static const QList<ProcessCase> cases = {
        {"ThreeStepsChain",
         {{2001, 100, 101}, {2002, 101, 102}, {2003, 102, 103}},
         103,
         {"Series 2002>2003", "Series 2001>2002", "Series START>2001"}},
        {"TwoConsumersOfOneIntermediate",
         {{2001, 100, 101}, {2002, 101, 102}, {2003, 101, 103}, {2004, 102, 104, false, 103}},
         104,
         {"End Parallel 2002>2004", "Start Parallel 2001>2002", "Series START>2001", "End Parallel 2003>2004",
          "Start Parallel 2001>2003"}},
        {"CleaningStepForcesTheListOrder",
         {{2001, 100, 101}, {2002, 500, 501, true}, {2003, 101, 102}},
         102,
         {"Series 2002>2003", "Series 2001>2002", "Series START>2001"}},
        {"TwoProducersOfTheFinalProduct",
         {{2001, 100, 102}, {2002, 101, 102}},
         102,
         {"Series 2001>2002", "Series START>2001"}},
        {"UnreachedStepStartsABranch",
         {{2001, 100, 101}, {2002, 101, 102}, {2003, 300, 301}},
         102,
         {"Series 2001>2002", "Start Parallel START>2001", "Start Parallel START>2003"}},
        {"StepMakingItsOwnInput",
         {{2001, 100, 101}, {2002, 102, 102, false, 101}},
         102,
         // The first record shares its source and its target: the last change made to it holds.
         {"Start Parallel START>2002", "End Parallel 2001>2002", "Start Parallel START>2001"}},
    };
    return cases;
}

class ProcessFixture : public TransitionFixture {
protected:
    void OpenProcess(const QList<FlowStep>& flow, long finalProduct)
    {
        QList<StepSpec> steps;
        ProcessSpec process{PROCESS, "Process", "1", {}, finalProduct, 100, {}};
        for (const FlowStep& f : flow) {
            StepSpec step = RecipeStep(f.id, "U O");
            step.keyInputID = f.input;
            step.keyOutputID = f.output;
            step.cleaning = f.cleaning;
            steps.append(step);
            process.stepIDs.append(f.id);
        }
        Open(ProjectOf(steps, {process}));
        for (const FlowStep& f : flow) {
            if (f.secondInput != -1)
                Step(f.id).Execute("UPDATE Step SET InputIntermediate2ID = ?", {qlonglong(f.secondInput)});
        }
    }

    long StartStep()
    {
        QSqlQuery query = Project().Query("SELECT StepID FROM QrySTARTStep");
        return query.next() ? long(query.value(0).toLongLong()) : 1;
    }

    QString StepName(long id) { return id == StartStep() ? QStringLiteral("START") : QString::number(id); }

    QStringList Records(const Array<TransitionRecord>& records)
    {
        QStringList described;
        for (const TransitionRecord& t : records)
            described
                << QStringLiteral("%1 %2>%3").arg(t.TransitionType, StepName(t.FromID), StepName(t.ToID));
        return described;
    }

    QStringList Stored()
    {
        QStringList described;
        QSqlQuery rows = Project().Query("SELECT TransitionType, FromStepID, ToStepID FROM StepTransition "
                                         "WHERE ProcessID = ? ORDER BY RowKey",
                                         {qlonglong(PROCESS)});
        while (rows.next())
            described << QStringLiteral("%1 %2>%3")
                             .arg(rows.value(0).toString(), StepName(long(rows.value(1).toLongLong())),
                                  StepName(long(rows.value(2).toLongLong())));
        return described;
    }

    QStringList Walk(const Array<TransitionRecord>& records)
    {
        long start = 0;
        while (start < records.GetSize() && records[start].FromID != StartStep())
            ++start;
        Array<RecipeRow> walk;
        long counter = 1;
        CTransitionBuilder::WalkTransitions("process", 1, records, records.GetSize(), start, counter, walk);
        QStringList names;
        for (const RecipeRow& row : walk)
            names << StepName(row.ID);
        EXPECT_EQ(counter, 1 + walk.GetSize());
        return names;
    }
};

class ProcessTransitions : public ProcessFixture, public ::testing::WithParamInterface<ProcessCase> {};

Array<TransitionRecord> records(const QList<std::tuple<const char*, long, long>>& rows)
{
    Array<TransitionRecord> out;
    for (const auto& [type, from, to] : rows)
        out.Add({"00000001", from, to, PROCESS, type});
    return out;
}

} // namespace

TEST_P(ProcessTransitions, FollowTheMaterialFlow)
{
    OpenProcess(GetParam().steps, GetParam().finalProduct);
    Array<TransitionRecord> transitions;
    ASSERT_TRUE(CTransitionBuilder::BuildProcessTransitions(PROCESS, transitions));
    EXPECT_EQ(Records(transitions), GetParam().records);
    EXPECT_EQ(Stored(), GetParam().records);
}

INSTANTIATE_TEST_SUITE_P(Flows, ProcessTransitions, ::testing::ValuesIn(processCases()),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(ProcessFixture, BlocksShareOneIdAtEachEnd)
{
    OpenProcess(processCases()[1].steps, 104);
    Array<TransitionRecord> t;
    ASSERT_TRUE(CTransitionBuilder::BuildProcessTransitions(PROCESS, t));
    ASSERT_EQ(t.GetSize(), 5);
    EXPECT_EQ(t[1].TransitionID, t[4].TransitionID); // the two starts
    EXPECT_EQ(t[0].TransitionID, t[3].TransitionID); // the two ends
    EXPECT_NE(t[0].TransitionID, t[1].TransitionID);
}

TEST_F(ProcessFixture, ChainWalksFromStartToTheLastStep)
{
    OpenProcess(processCases()[0].steps, 103);
    Array<TransitionRecord> t;
    ASSERT_TRUE(CTransitionBuilder::BuildProcessTransitions(PROCESS, t));
    EXPECT_EQ(Walk(t), QStringList({"START", "2001", "2002", "2003"}));
    ASSERT_TRUE(CTransitionBuilder::BuildProcessTransitions(PROCESS, t));
    EXPECT_EQ(Stored().size(), 3) << "a rebuild replaces the process's rows";
}

TEST_F(ProcessFixture, WalkTakesTheLastBranchFirstAndABlockEndOnce)
{
    OpenProcess({}, 1);
    const long s = StartStep();
    const auto t = records({{"Start Parallel", s, 2001},
                            {"Start Parallel", s, 2002},
                            {"End Parallel", 2001, 2003},
                            {"End Parallel", 2002, 2003},
                            {"Series", 2003, 2004}});
    EXPECT_EQ(Walk(t), QStringList({"START", "2002", "2001", "2003", "2004"}));
}

TEST_F(ProcessFixture, WalkEndsOnACycleAndADoubledEdge)
{
    OpenProcess({}, 1);
    const long s = StartStep();
    EXPECT_EQ(Walk(records({{"Series", s, 2001}, {"Series", 2001, 2002}, {"Series", 2002, 2001}})),
              QStringList({"START", "2001", "2002"}));
    EXPECT_EQ(Walk(records({{"Series", s, 2001}, {"Series", 2001, 2002}, {"Series", 2001, 2002}})),
              QStringList({"START", "2001", "2002"}));
    EXPECT_EQ(Walk(records({{"Start Or", s, 2001}, {"End Or", 2001, 2001}})), QStringList({"START", "2001"}));
    EXPECT_EQ(Walk({}), QStringList());
}

struct ProcessFailure {
    const char* name;
    QList<FlowStep> steps;
    long finalProduct;
    long processID;
    QString message;
};

class ProcessFailures : public ProcessFixture, public ::testing::WithParamInterface<ProcessFailure> {};

TEST_P(ProcessFailures, ShowTheirMessageAndKeepTheStoredRows)
{
    OpenProcess(GetParam().steps, GetParam().finalProduct);
    Project().Execute("INSERT INTO StepTransition (StepTransitionID, FromStepID, ToStepID, ProcessID, "
                      "TransitionType) VALUES ('0000000A', ?, 2001, 1, 'Series')",
                      {qlonglong(StartStep())});
    prompts.expect(IDOK);
    Array<TransitionRecord> t;
    EXPECT_FALSE(CTransitionBuilder::BuildProcessTransitions(GetParam().processID, t));
    EXPECT_EQ(prompts.texts(), QStringList{GetParam().message});
    EXPECT_EQ(prompts.flags(), QList<unsigned>{MB_ICONEXCLAMATION});
    EXPECT_EQ(Stored(), QStringList{"Series START>2001"});
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ProcessFailures,
    ::testing::Values(
        ProcessFailure{"UnknownProcess", {{2001, 100, 101}}, 101, 99, "Could not find process in Database!"},
        ProcessFailure{
            "NoProducerOfTheFinalProduct",
            {{2001, 100, 101}},
            999,
            PROCESS,
            "Could not find Step whose Output Intermediate is the same as the Final Product as the "
            "Process!"},
        ProcessFailure{
            "TwoProducersOfAnInput",
            {{2001, 100, 101}, {2002, 100, 101}, {2003, 101, 102}},
            102,
            PROCESS,
            "Found more than one Step that produces an Output Intermediate of one of the Steps in the "
            "Process!"}),
    [](const auto& info) { return std::string(info.param.name); });
