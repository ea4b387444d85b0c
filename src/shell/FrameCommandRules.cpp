#include "shell/FrameCommandRules.h"

#include "foundation/common/CommandIds.h"
#include "simulation/DesignRun.h"

namespace {
bool isStepContext(const ContextRecord& c)
{
    switch (c.kind) {
    case CONTEXT_PROCESS_EXPLORER:
    case CONTEXT_TEXT_RECIPE:
    case CONTEXT_GANTT:
    case CONTEXT_3D_VIEW:
    case CONTEXT_QUICK_RESULTS:
        return c.stepID != -1;
    default:
        return false;
    }
}

bool isProcessContext(const ContextRecord& c)
{
    return c.kind == CONTEXT_PROCESS_EXPLORER && c.processNodeSelected && c.processID != -1;
}

bool isPlanContext(const ContextRecord& c)
{
    return (c.kind == CONTEXT_PLAN_EXPLORER || c.kind == CONTEXT_GANTT || c.kind == CONTEXT_3D_VIEW) &&
           c.planID != -1;
}

bool hasAnySelection(const ContextRecord& c) { return isStepContext(c) || isProcessContext(c) || isPlanContext(c); }

bool alwaysEnabled(int id)
{
    switch (id) {
    case ID_FILE_NEW:
    case ID_FILE_OPEN:
    case ID_FILE_NEW_SELECTION:
    case ID_VIEW_PROJECT_INFORMATION:
    case ID_FILE_PRINT_SETUP:
    case ID_APP_EXIT:
    case ID_INSERT_AFTER:
    case ID_INSERT_BEFORE:
    case ID_HELP_TOPICS:
    case ID_HELP_HOME_PAGE: // without a project the address goes to the desktop
    case ID_APP_ABOUT:
    case ID_TOOLS_FAVORITE_OPERATIONS:
    case ID_FILE_EXPORT_PROFILE:
    case ID_FILE_IMPORT_PROFILE:
    case ID_FILE_DEFAULT_PROFILE:
        return true;
    default:
        return false;
    }
}

// Viewers and components this platform does not have.
bool unavailableHere(int id)
{
    switch (id) {
    case ID_FILE_CASE_MANAGER:
    case ID_VIEW_3D_ANIMATION:
    case ID_VIEW_BLOCK_DIAGRAM:
    case ID_VIEW_EQUIPMENT_DIAGRAM:
        return true;
    default:
        return false;
    }
}

bool needsOpenProject(int id)
{
    switch (id) {
    case ID_FILE_SAVE:
    case ID_FILE_CLOSE:
    case ID_FILE_SAVE_AS:
    case ID_FILE_SAVE_AS_TEMPLATE:
    case ID_FILE_SAVE_AS_COMPOUND:
    case ID_FILE_MANAGE_COMPOUND:
    case ID_FILE_IMPORT_STEP:
    case ID_FILE_EXPORT_STEP:
    case ID_FILE_NETWORK_SELECT:
    case ID_TOOLS_PREFERENCES:
    case ID_TOOLS_OPTIONS:
    case ID_REPORT_MATERIAL_DATA:
    case ID_REPORT_UTILITY_DATA:
    case ID_REPORT_STEP_EQUIPMENT:
    case ID_REPORT_CUSTOM:
    case ID_VIEW_ROUTE_SELECTION:
    case ID_EDIT_FIND:
        return true;
    default:
        return false;
    }
}

// Commands that need a selection and the project's results.
bool resultRule(int id, const FrameCommandState& s, bool* enabled)
{
    const ContextRecord& c = s.context;
    switch (id) {
    case ID_VIEW_SCHEDULE:
        *enabled = s.resultFilesExist && hasAnySelection(c);
        return true;
    case ID_VIEW_RUN_REPORT: // the step's schedule, else the plan's; a process has none
        *enabled = s.resultFilesExist && (isStepContext(c) || isPlanContext(c));
        return true;
    case ID_REPORT_CASE_COMPARE:
        *enabled = isStepContext(c);
        return true;
    case ID_VIEW_QUICK_RESULTS:
        *enabled = s.resultFilesExist && isStepContext(c);
        return true;
    default:
        return false;
    }
}

// Run commands by what is selected.
bool runRule(int id, const FrameCommandState& s, bool* enabled)
{
    const ContextRecord& c = s.context;
    switch (id) {
    case ID_SIMULATE_BATCH:
    case ID_TOOLS_CONVERT_UNITS:
        *enabled = isStepContext(c);
        return true;
    case ID_RECIPE_SCALING: // a process node scales the process
        *enabled = isStepContext(c) || isProcessContext(c);
        return true;
    case ID_DESIGN:
        *enabled = CDesignRun::AcceptsContext(c);
        return true;
    case ID_SIMULATE_RUN: // the process, the plan, else the step, as the handler chooses
        if (isProcessContext(c))
            *enabled = s.hasEngine;
        else if (isPlanContext(c))
            *enabled = s.hasEngine && s.planSimulatable;
        else
            *enabled = isStepContext(c);
        return true;
    case ID_SIMULATE_PROCESS:
    case ID_SIMULATE_BATCHES_AND_PROCESS: // what a run by context simulates
        *enabled = s.hasEngine && c.kind == CONTEXT_PROCESS_EXPLORER && c.processID != -1;
        return true;
    case ID_SIMULATE_PLAN:
    case ID_SIMULATE_BATCHES_AND_PLAN:
        *enabled = s.hasEngine && isPlanContext(c) && s.planSimulatable;
        return true;
    case ID_SIMULATE_SEQUENCE:
        *enabled = s.hasEngine && isPlanContext(c) && s.planSimulatable && s.planSequenceFile;
        return true;
    case ID_SIMULATE_STOP_RESET:
        *enabled = s.hasEngine && c.stepID != -1;
        return true;
    case ID_SIMULATE_TO_BREAKPOINT:
    case ID_SIMULATE_NEXT_OPERATION:
        *enabled = s.hasEngine && s.stepPaused;
        return true;
    default:
        return false;
    }
}
} // namespace

bool FrameCommandEnabled(int commandID, const FrameCommandState& state)
{
    const bool recentFile = commandID >= ID_FILE_MRU_FIRST && commandID <= ID_FILE_MRU_LAST;
    if (recentFile || alwaysEnabled(commandID))
        return true;
    if (unavailableHere(commandID))
        return false;
    if (!state.projectOpen)
        return false;
    if (needsOpenProject(commandID))
        return !(commandID == ID_FILE_MANAGE_COMPOUND && state.projectIsTemplate);
    bool enabled = false;
    if (resultRule(commandID, state, &enabled) || runRule(commandID, state, &enabled))
        return enabled;
    return false; // the view's own commands: only an active view enables them
}
