#pragma once
// The Scheduling Constraints pane as the recipe edits see it: refreshed after a constraint or a
// hidden flag changed, when it is visible. Nothing is installed until the pane is built.

class SchedulingConstraintsPane {
public:
    virtual ~SchedulingConstraintsPane() = default;
    virtual bool IsPaneVisible() const { return false; }
    virtual void Refresh() {}
};

// Refreshes the installed pane when it is visible.
void RefreshSchedulingConstraintsPane();
