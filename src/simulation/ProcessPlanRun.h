#pragma once
// The state of one process or plan run, shared by the driver's files.

#include "foundation/common/concerns/ContextRecord.h"
#include "modules/engine/EngineEntry.h"
#include "simulation/ProcessPlanSimulation.h"
#include "simulation/SimDialog.h"

struct CProcessPlanSimulation::Run {
    int mode = RUN_BY_CONTEXT;
    ContextRecord context;
    bool isProcess = false;
    long id = -1; // the process's or the plan's
    EngineEntry* frameEngine = nullptr;
    std::unique_ptr<CSimDialog> dialog;
    std::unique_ptr<EngineEntry> engine; // destroyed before the dialog
};
