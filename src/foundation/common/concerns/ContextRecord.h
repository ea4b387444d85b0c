#pragma once
// What the user is working on: which pane or window is active and the step, process and plan
// selected there. Command enabling and the run commands read it.

#include <QString>

enum ContextKind : int {
    CONTEXT_NONE = 0,
    CONTEXT_PROCESS_EXPLORER = 1,
    CONTEXT_TEXT_RECIPE = 2,
    CONTEXT_GANTT = 3,
    CONTEXT_HTML_VIEW = 4,
    CONTEXT_3D_VIEW = 5,
    CONTEXT_CHEMISTRY = 6,
    CONTEXT_QUICK_RESULTS = 7,
    CONTEXT_FACILITY_EXPLORER = 8,
    CONTEXT_PLAN_EXPLORER = 9,
};

struct ContextRecord {
    int kind = CONTEXT_NONE;
    long stepID = -1;
    long processID = -1;
    long planID = -1;
    QString stepLabel;
    QString processName;
    QString planName;
    bool processNodeSelected = false;
};
