#pragma once
// The result windows (schedules, 3-D views, Quick Results) that show one step or one process. They
// close when what they show leaves the project; recipe windows are not among them. The main frame
// installs the implementation; without one nothing is closed.

class LinkedWindowServices {
public:
    virtual ~LinkedWindowServices() = default;
    virtual void CloseStepLinkedWindows(long /*stepID*/) {}
    virtual void CloseProcessLinkedWindows(long /*processID*/) {}
};

// Calls through the installed concern.
void CloseStepLinkedWindows(long stepID);
void CloseProcessLinkedWindows(long processID);
