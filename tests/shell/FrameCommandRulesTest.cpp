#include "shell/FrameCommandRules.h"
#include "foundation/common/CommandIds.h"

#include <gtest/gtest.h>

// State letters: o project open, e engine, r result files, n process node selected, t a template,
// p step paused, s the context plan can be simulated, f its sequence file exists.
TEST(FrameCommandRules, FollowTheContext)
{
    const struct {
        const char* name;
        int command, kind;
        long step, process, plan;
        const char* state;
        bool enabled;
    } rows[] = {
        {"exit", ID_APP_EXIT, 0, -1, -1, -1, "", true},
        {"save without project", ID_FILE_SAVE, 0, -1, -1, -1, "", false},
        {"save with project", ID_FILE_SAVE, 0, -1, -1, -1, "o", true},
        {"manage package", ID_FILE_MANAGE_COMPOUND, 0, -1, -1, -1, "o", true},
        {"manage package of a template", ID_FILE_MANAGE_COMPOUND, 0, -1, -1, -1, "ot", false},
        {"save template as package", ID_FILE_SAVE_AS_COMPOUND, 0, -1, -1, -1, "ot", true},
        {"batch from explorer step", ID_SIMULATE_BATCH, 1, 4, 2, -1, "o", true},
        {"batch from recipe", ID_SIMULATE_BATCH, 2, 4, 2, -1, "o", true},
        {"batch without step", ID_SIMULATE_BATCH, 1, -1, 2, -1, "on", false},
        {"batch in facility explorer", ID_SIMULATE_BATCH, 8, 4, -1, -1, "o", false},
        {"batch in html view", ID_SIMULATE_BATCH, 4, 4, -1, -1, "o", false},
        {"batch without project", ID_SIMULATE_BATCH, 2, 4, 2, -1, "", false},
        {"run on process node", ID_SIMULATE_RUN, 1, -1, 2, -1, "one", true},
        {"run on process node without engine", ID_SIMULATE_RUN, 1, -1, 2, -1, "on", false},
        {"run on plan", ID_SIMULATE_RUN, 9, -1, -1, 7, "oes", true},
        {"run on plan not simulatable", ID_SIMULATE_RUN, 9, -1, -1, 7, "oe", false},
        {"run on step", ID_SIMULATE_RUN, 2, 4, 2, -1, "o", true},
        {"run in quick results", ID_SIMULATE_RUN, 7, 4, -1, -1, "o", true},
        {"run with nothing", ID_SIMULATE_RUN, 0, -1, -1, -1, "o", false},
        {"process from explorer", ID_SIMULATE_PROCESS, 1, -1, 2, -1, "one", true},
        {"process from explorer step", ID_SIMULATE_BATCHES_AND_PROCESS, 1, 4, 2, -1, "oe", true},
        {"process without engine", ID_SIMULATE_PROCESS, 1, -1, 2, -1, "on", false},
        {"process from recipe view", ID_SIMULATE_PROCESS, 2, 4, 2, -1, "oe", false},
        {"process in plan explorer", ID_SIMULATE_PROCESS, 9, -1, 2, 7, "oe", false},
        {"plan with plan", ID_SIMULATE_PLAN, 9, -1, -1, 7, "oes", true},
        {"plan in plan schedule", ID_SIMULATE_BATCHES_AND_PLAN, 3, -1, -1, 7, "oes", true},
        {"plan in 3-D view", ID_SIMULATE_PLAN, 5, -1, -1, 7, "oes", true},
        {"plan in recipe view", ID_SIMULATE_PLAN, 2, 4, -1, 7, "oes", false},
        {"plan not simulatable", ID_SIMULATE_PLAN, 9, -1, -1, 7, "oe", false},
        {"plan without engine", ID_SIMULATE_BATCHES_AND_PLAN, 9, -1, -1, 7, "os", false},
        {"sequence without its file", ID_SIMULATE_SEQUENCE, 9, -1, -1, 7, "oes", false},
        {"sequence with its file", ID_SIMULATE_SEQUENCE, 9, -1, -1, 7, "oesf", true},
        {"plan without plan", ID_SIMULATE_PLAN, 9, -1, -1, -1, "oesf", false},
        {"stop needs engine", ID_SIMULATE_STOP_RESET, 2, 4, 2, -1, "o", false},
        {"stop with engine", ID_SIMULATE_STOP_RESET, 2, 4, 2, -1, "oe", true},
        {"next operation while idle", ID_SIMULATE_NEXT_OPERATION, 2, 4, 2, -1, "oe", false},
        {"next operation while paused", ID_SIMULATE_NEXT_OPERATION, 2, 4, 2, -1, "oep", true},
        {"breakpoint while paused", ID_SIMULATE_TO_BREAKPOINT, 7, 4, -1, -1, "oep", true},
        {"breakpoint without engine", ID_SIMULATE_TO_BREAKPOINT, 2, 4, 2, -1, "op", false},
        {"batch in quick results", ID_SIMULATE_BATCH, 7, 4, -1, -1, "o", true},
        {"batch in chemistry view", ID_SIMULATE_BATCH, 6, 4, -1, -1, "o", false},
        {"schedule needs results", ID_VIEW_SCHEDULE, 1, 4, 2, -1, "o", false},
        {"schedule with results", ID_VIEW_SCHEDULE, 1, 4, 2, -1, "or", true},
        {"plan schedule", ID_VIEW_SCHEDULE, 9, -1, -1, 7, "or", true},
        {"run report of a step", ID_VIEW_RUN_REPORT, 2, 4, 2, -1, "or", true},
        {"run report of a plan", ID_VIEW_RUN_REPORT, 9, -1, -1, 7, "or", true},
        {"run report of a process node", ID_VIEW_RUN_REPORT, 1, -1, 2, -1, "orn", false},
        {"run report without results", ID_VIEW_RUN_REPORT, 2, 4, 2, -1, "o", false},
        {"schedule in a step's schedule", ID_VIEW_SCHEDULE, 3, 4, -1, -1, "or", true},
        {"run report in a plan's schedule", ID_VIEW_RUN_REPORT, 3, -1, -1, 7, "or", true},
        {"case compare in a step's schedule", ID_REPORT_CASE_COMPARE, 3, 4, -1, -1, "o", true},
        {"case compare in a plan's schedule", ID_REPORT_CASE_COMPARE, 3, -1, -1, 7, "o", false},
        {"batch in a step's schedule", ID_SIMULATE_BATCH, 3, 4, -1, -1, "o", true},
        {"batch in a plan's schedule", ID_SIMULATE_BATCH, 3, -1, -1, 7, "o", false},
        {"case compare on a step", ID_REPORT_CASE_COMPARE, 7, 4, -1, -1, "o", true},
        {"case compare in html view", ID_REPORT_CASE_COMPARE, 4, 4, -1, -1, "o", false},
        {"case compare without step", ID_REPORT_CASE_COMPARE, 1, -1, 2, -1, "on", false},
        {"material data with project", ID_REPORT_MATERIAL_DATA, 0, -1, -1, -1, "o", true},
        {"equipment data without project", ID_REPORT_STEP_EQUIPMENT, 0, -1, -1, -1, "", false},
        {"custom report with project", ID_REPORT_CUSTOM, 4, -1, -1, -1, "o", true},
        {"home page without project", ID_HELP_HOME_PAGE, 0, -1, -1, -1, "", true},
        {"browser stop without a view", ID_HTML_GO_STOP, 4, -1, -1, -1, "o", false},
        {"quick results of plan", ID_VIEW_QUICK_RESULTS, 9, -1, -1, 7, "or", false},
        {"scaling in recipe", ID_RECIPE_SCALING, 2, 4, 2, -1, "o", true},
        {"convert units of a step", ID_TOOLS_CONVERT_UNITS, 1, 4, 2, -1, "o", true},
        {"convert units without a step", ID_TOOLS_CONVERT_UNITS, 1, -1, 2, -1, "on", false},
        {"convert units without project", ID_TOOLS_CONVERT_UNITS, 2, 4, 2, -1, "", false},
        {"view command without view", ID_EDIT_CUT, 2, 4, 2, -1, "oer", false},
        {"operation insert without view", 32892, 2, 4, 2, -1, "oer", false},
        {"about without project", ID_APP_ABOUT, 0, -1, -1, -1, "", true},
        {"help topics without project", ID_HELP_TOPICS, 0, -1, -1, -1, "", true},
        {"print setup without project", ID_FILE_PRINT_SETUP, 0, -1, -1, -1, "", true},
        {"export profile without project", ID_FILE_EXPORT_PROFILE, 0, -1, -1, -1, "", true},
        {"import profile without project", ID_FILE_IMPORT_PROFILE, 0, -1, -1, -1, "", true},
        {"default profile without project", ID_FILE_DEFAULT_PROFILE, 0, -1, -1, -1, "", true},
        {"case manager with a project", ID_FILE_CASE_MANAGER, 1, 4, 2, -1, "oer", false},
        {"3-D animation with results", ID_VIEW_3D_ANIMATION, 1, 4, 2, -1, "or", false},
        {"block diagram with results", ID_VIEW_BLOCK_DIAGRAM, 2, 4, 2, -1, "or", false},
        {"equipment diagram with results", ID_VIEW_EQUIPMENT_DIAGRAM, 7, 4, -1, -1, "or", false},
    };
    for (const auto& c : rows) {
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
        s.projectIsTemplate = has('t');
        s.stepPaused = has('p');
        s.planSimulatable = has('s');
        s.planSequenceFile = has('f');
        EXPECT_EQ(FrameCommandEnabled(c.command, s), c.enabled) << c.name;
    }
}
