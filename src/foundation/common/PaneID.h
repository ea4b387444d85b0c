#pragma once
// The six docking panes of the main frame.

enum class PaneID : int {
    ProcessExplorer,
    FacilityExplorer,
    PlanExplorer,
    StandardStatements,
    SchedulingConstraints,
    RouteSelection,
};

constexpr int PANE_COUNT = 6;
