#pragma once
// The frame's enabling rule for commands that no active view decides: one switch keyed by the
// command id over the context record and the project state.

#include "foundation/common/concerns/ContextRecord.h"

struct FrameCommandState {
    ContextRecord context;
    bool projectOpen = false;
    bool hasEngine = false;
    bool resultFilesExist = false;
    bool projectIsTemplate = false; // a template is never packed
    bool stepPaused = false; // the context step's batch run is paused (stepping can go on)
    bool planSimulatable = false;   // the Plan Explorer can simulate the context plan
    bool planSequenceFile = false;  // the context plan's user-defined sequence file exists
};

bool FrameCommandEnabled(int commandID, const FrameCommandState& state);
