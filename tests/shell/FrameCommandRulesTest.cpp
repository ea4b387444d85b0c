#include "shell/FrameCommandRules.h"
#include "foundation/common/CommandIds.h"

#include <gtest/gtest.h>

namespace {
struct RuleCase {
    const char* name;
    int command;
    int kind;
    long step, process, plan;
    const char* state; // o: project open, e: engine, r: result files, n: process node selected
    bool enabled;
};

class FrameRuleTest : public ::testing::TestWithParam<RuleCase> {};
} // namespace

TEST_P(FrameRuleTest, FollowsTheContext)
{
    const RuleCase& c = GetParam();
    const auto has = [&](char flag) { return std::strchr(c.state, flag) != nullptr; };
    FrameCommandState s;
    s.context.kind = c.kind;
    s.context.stepID = c.step;
    s.context.processID = c.process;
    s.context.planID = c.plan;
    s.context.processNodeSelected = has('n');
    s.projectOpen = has('o');
    s.hasEngine = has('e');
    s.resultFilesExist = has('r');
    EXPECT_EQ(FrameCommandEnabled(c.command, s), c.enabled) << c.name;
}

INSTANTIATE_TEST_SUITE_P(
    Rules, FrameRuleTest,
    ::testing::Values(RuleCase{"exit", ID_APP_EXIT, 0, -1, -1, -1, "", true},
                      RuleCase{"save without project", ID_FILE_SAVE, 0, -1, -1, -1, "", false},
                      RuleCase{"save with project", ID_FILE_SAVE, 0, -1, -1, -1, "o", true},
                      RuleCase{"batch from explorer step", ID_SIMULATE_BATCH, 1, 4, 2, -1, "o", true},
                      RuleCase{"batch from recipe", ID_SIMULATE_BATCH, 2, 4, 2, -1, "o", true},
                      RuleCase{"batch without step", ID_SIMULATE_BATCH, 1, -1, 2, -1, "on", false},
                      RuleCase{"batch in facility explorer", ID_SIMULATE_BATCH, 8, 4, -1, -1, "o", false},
                      RuleCase{"batch in html view", ID_SIMULATE_BATCH, 4, 4, -1, -1, "o", false},
                      RuleCase{"batch without project", ID_SIMULATE_BATCH, 2, 4, 2, -1, "", false},
                      RuleCase{"run on process node", ID_SIMULATE_RUN, 1, -1, 2, -1, "on", true},
                      RuleCase{"run on plan", ID_SIMULATE_RUN, 9, -1, -1, 7, "o", true},
                      RuleCase{"run with nothing", ID_SIMULATE_RUN, 0, -1, -1, -1, "o", false},
                      RuleCase{"process from explorer", ID_SIMULATE_PROCESS, 1, -1, 2, -1, "on", true},
                      RuleCase{"process in plan explorer", ID_SIMULATE_PROCESS, 9, -1, 2, 7, "o", false},
                      RuleCase{"plan with plan", ID_SIMULATE_PLAN, 9, -1, -1, 7, "o", true},
                      RuleCase{"plan without plan", ID_SIMULATE_PLAN, 9, -1, -1, -1, "o", false},
                      RuleCase{"stop needs engine", ID_SIMULATE_STOP_RESET, 2, 4, 2, -1, "o", false},
                      RuleCase{"stop with engine", ID_SIMULATE_STOP_RESET, 2, 4, 2, -1, "oe", true},
                      RuleCase{"schedule needs results", ID_VIEW_SCHEDULE, 1, 4, 2, -1, "o", false},
                      RuleCase{"schedule with results", ID_VIEW_SCHEDULE, 1, 4, 2, -1, "or", true},
                      RuleCase{"plan schedule", ID_VIEW_SCHEDULE, 9, -1, -1, 7, "or", true},
                      RuleCase{"quick results of plan", ID_VIEW_QUICK_RESULTS, 9, -1, -1, 7, "or", false},
                      RuleCase{"scaling in recipe", ID_RECIPE_SCALING, 2, 4, 2, -1, "o", true},
                      RuleCase{"view command without view", ID_EDIT_CUT, 2, 4, 2, -1, "oer", false},
                      RuleCase{"operation insert without view", 32892, 2, 4, 2, -1, "oer", false}),
    [](const ::testing::TestParamInfo<RuleCase>& info) {
        std::string name = info.param.name;
        std::replace(name.begin(), name.end(), ' ', '_');
        return name;
    });
