#pragma once
// A design run of one step (EngineEntry::designStep): from the step's last batch run, n = the
// whole batches of the cycle time in the horizon, the target batch = amount / n and the scale
// factor = target / last batch; the equipment is sized by the vessel rule of the stored
// targets (DesignSizing.h); the capacity (OverFlow) and minimum-volume (UnderFlow) checks
// add remarks. The results go into the step's results file beside the batch run's rows; the step
// database is never changed. A cancel in a progress callback writes nothing.

#include "modules/engine/EngineDesignInputs.h"

class ISimStatus;
struct EngineRunOptions;

// SIMULATION_COMPLETED when written (or nothing was to be written), SIMULATION_CANCELLED,
// SIMULATION_FAILED when the results could not be written or the step's results file is there
// but does not read (it is left as it is).
int RunEngineDesign(ISimStatus* status, const EngineDesignRequest& request, const EngineRunOptions& options);
