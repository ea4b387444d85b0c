#include "shell/FrameCommandRules.h"
#include "foundation/common/CommandIds.h"

#include <gtest/gtest.h>

namespace {
struct RuleCase {
    const char* name;
    int command;
    int kind;
    long step, process, plan;
    bool processNode;
    bool projectOpen, engine, results;
    bool enabled;
};

FrameCommandState stateOf(const RuleCase& c)
{
    FrameCommandState s;
    s.context.kind = c.kind;
    s.context.stepID = c.step;
    s.context.processID = c.process;
    s.context.planID = c.plan;
    s.context.processNodeSelected = c.processNode;
    s.projectOpen = c.projectOpen;
    s.hasEngine = c.engine;
    s.resultFilesExist = c.results;
    return s;
}

void PrintTo(const RuleCase& c, std::ostream* os)
{
    *os << c.name;
}

class FrameRuleTest : public ::testing::TestWithParam<RuleCase> {};
} // namespace

TEST_P(FrameRuleTest, FollowsTheContext)
{
    const RuleCase& c = GetParam();
    EXPECT_EQ(FrameCommandEnabled(c.command, stateOf(c)), c.enabled) << c.name;
}

// name, command, kind, step, process, plan, process node, open, engine, results, enabled
INSTANTIATE_TEST_SUITE_P(
    Rules, FrameRuleTest,
    ::testing::Values(
        RuleCase{"new without project", ID_FILE_NEW, 0, -1, -1, -1, false, false, false, false, true},
        RuleCase{"exit", ID_APP_EXIT, 0, -1, -1, -1, false, false, false, false, true},
        RuleCase{"insert after", ID_INSERT_AFTER, 0, -1, -1, -1, false, false, false, false, true},
        RuleCase{"save without project", ID_FILE_SAVE, 0, -1, -1, -1, false, false, false, false, false},
        RuleCase{"save with project", ID_FILE_SAVE, 0, -1, -1, -1, false, true, false, false, true},
        RuleCase{"options with project", ID_TOOLS_OPTIONS, 8, -1, -1, -1, false, true, false, false, true},
        RuleCase{"batch from explorer step", ID_SIMULATE_BATCH, 1, 4, 2, -1, false, true, false, false, true},
        RuleCase{"batch from recipe", ID_SIMULATE_BATCH, 2, 4, 2, -1, false, true, false, false, true},
        RuleCase{"batch without step", ID_SIMULATE_BATCH, 1, -1, 2, -1, true, true, false, false, false},
        RuleCase{"batch in facility explorer", ID_SIMULATE_BATCH, 8, 4, -1, -1, false, true, false, false,
                 false},
        RuleCase{"batch in html view", ID_SIMULATE_BATCH, 4, 4, -1, -1, false, true, false, false, false},
        RuleCase{"batch without project", ID_SIMULATE_BATCH, 2, 4, 2, -1, false, false, false, false, false},
        RuleCase{"run on process node", ID_SIMULATE_RUN, 1, -1, 2, -1, true, true, false, false, true},
        RuleCase{"run on plan", ID_SIMULATE_RUN, 9, -1, -1, 7, false, true, false, false, true},
        RuleCase{"run with nothing", ID_SIMULATE_RUN, 0, -1, -1, -1, false, true, false, false, false},
        RuleCase{"process from explorer", ID_SIMULATE_PROCESS, 1, -1, 2, -1, true, true, false, false, true},
        RuleCase{"process in plan explorer", ID_SIMULATE_PROCESS, 9, -1, 2, 7, false, true, false, false,
                 false},
        RuleCase{"plan with plan", ID_SIMULATE_PLAN, 9, -1, -1, 7, false, true, false, false, true},
        RuleCase{"plan without plan", ID_SIMULATE_PLAN, 9, -1, -1, -1, false, true, false, false, false},
        RuleCase{"stop needs engine", ID_SIMULATE_STOP_RESET, 2, 4, 2, -1, false, true, false, false, false},
        RuleCase{"stop with engine", ID_SIMULATE_STOP_RESET, 2, 4, 2, -1, false, true, true, false, true},
        RuleCase{"schedule needs results", ID_VIEW_SCHEDULE, 1, 4, 2, -1, false, true, false, false, false},
        RuleCase{"schedule with results", ID_VIEW_SCHEDULE, 1, 4, 2, -1, false, true, false, true, true},
        RuleCase{"plan schedule", ID_VIEW_SCHEDULE, 9, -1, -1, 7, false, true, false, true, true},
        RuleCase{"quick results of plan", ID_VIEW_QUICK_RESULTS, 9, -1, -1, 7, false, true, false, true,
                 false},
        RuleCase{"scaling in recipe", ID_RECIPE_SCALING, 2, 4, 2, -1, false, true, false, false, true},
        RuleCase{"view command without view", ID_EDIT_CUT, 2, 4, 2, -1, false, true, true, true, false},
        RuleCase{"operation insert without view", 32892, 2, 4, 2, -1, false, true, true, true, false}),
    [](const ::testing::TestParamInfo<RuleCase>& info) {
        std::string name = info.param.name;
        for (char& ch : name)
            if (!isalnum(static_cast<unsigned char>(ch)))
                ch = '_';
        return name;
    });
