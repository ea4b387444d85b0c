#pragma once
// The six docking panes of the main frame and their fixed names.

#include <QString>

enum class PaneID : int {
    ProcessExplorer,
    FacilityExplorer,
    PlanExplorer,
    StandardStatements,
    SchedulingConstraints,
    RouteSelection,
};

constexpr int PANE_COUNT = 6;

QString PaneTitle(PaneID pane);
QString PaneObjectName(PaneID pane);
