#include "shell/DockPanes.h"

namespace {
struct PaneName {
    const char* title;
    const char* objectName;
};

constexpr PaneName kPaneNames[PANE_COUNT] = {
    {"Process Explorer", "ProcessExplorerPane"},
    {"Facility Explorer", "FacilityExplorerPane"},
    {"Plan Explorer", "PlanExplorerPane"},
    {"Standard Statements", "StandardStatementsPane"},
    {"Scheduling Constraints", "SchedulingConstraintsPane"},
    {"Route Selection", "RouteSelectionPane"},
};
} // namespace

QString PaneTitle(PaneID pane) { return QString::fromLatin1(kPaneNames[int(pane)].title); }

QString PaneObjectName(PaneID pane) { return QString::fromLatin1(kPaneNames[int(pane)].objectName); }
