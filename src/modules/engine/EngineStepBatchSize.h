#pragma once
// What a completed whole-batch run leaves in the step row: BatchSize in kmol of the key output
// (its kg leaving over its molecular weight) and that molecular weight in BatchSizeMW. A changed
// value marks the project modified. BatchSizeBase and BatchSizeUOM are left as they are.

#include "modules/engine/EngineSchedule.h"

// False when the step database is not open or the row cannot be written (nothing changes then).
bool WriteStepBatchSize(long stepID, const EngineSchedule& schedule);
