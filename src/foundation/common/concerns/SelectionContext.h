#pragma once
// The active pane's context kind, and the frame's selection-sync flag: while it is off, selection
// changes in the panes and views do not move the linked windows or the current step.

// Which pane or window is active (ContextKind); 0 without a selection service.
int GetCurrentContextKind();

bool IsSelectionSyncOn();

// Holds selection syncing off for its lifetime and puts back what was there.
class SelectionSyncOff {
public:
    SelectionSyncOff();
    ~SelectionSyncOff();
    SelectionSyncOff(const SelectionSyncOff&) = delete;
    SelectionSyncOff& operator=(const SelectionSyncOff&) = delete;

private:
    bool m_previous;
};
