#pragma once
// The plan run that follows the plan's user-defined sequence file: the file's columns are the
// batches, numbered by column, each placed where the sequence's order puts its operations. A file
// that is missing, empty or stale answers 1 and leaves its Error remark (1006) as the results.

#include "modules/engine/EngineBalance.h"

class ISimStatus;

int SimulatePlanBySequenceFile(ISimStatus* status, long planID, bool writeResults,
                               const EngineBalanceSettings& settings = {});
