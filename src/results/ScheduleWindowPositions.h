#pragma once
// The open schedule windows kept with the project: before each save their keys and placements
// replace the project's "Schedule" window-position rows (one transaction), and when the project is
// opened again each row whose results still exist reopens its window there.

#include "foundation/common/concerns/ProjectHandover.h"

class CScheduleWindowPositions : public ProjectHandover {
public:
    CScheduleWindowPositions() { AddProjectHandover(this); }
    ~CScheduleWindowPositions() override { RemoveProjectHandover(this); }
    CScheduleWindowPositions(const CScheduleWindowPositions&) = delete;
    CScheduleWindowPositions& operator=(const CScheduleWindowPositions&) = delete;

    void SaveWindowPositions() override;
    void ReopenResultWindows() override;
};

// The Type of the window-position rows of schedule windows.
inline constexpr const char* SCHEDULE_POSITION_TYPE = "Schedule";
