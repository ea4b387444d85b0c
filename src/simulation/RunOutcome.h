#pragma once
// The one status-bar line each run ends with, whatever the end-of-simulation option says: what
// ran and how it ended; a completed step or process run with its batch size and cycle time, a
// plan run with its batches and makespan, each with its remarks counted; a plan sequence with its
// batches; a design with its batches, batch size, scale and feasibility. Times read h:min.

#include "simulation/SimulationSummary.h"

#include <QString>

// "3:50" for 3 h 50 min (to the nearest minute); "not available" for an unset time.
QString HoursAndMinutes(double seconds);

// command: "Simulate Batch", "Simulate Process", ...; code: the engine's completion code.
QString RunOutcomeText(const QString& command, SummaryKind kind, long id, int code);
QString PlanSequenceOutcomeText(long planID, bool written);
// resultsWritten false: the run wrote no results (its option off), so none of the step's are its.
QString DesignOutcomeText(long stepID, bool resultsWritten = true);
