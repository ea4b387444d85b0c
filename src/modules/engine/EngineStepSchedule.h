#pragma once
// A step's schedule with its material balance: the timing of CEngineScheduler, the balance's
// actions and figures (EngineBalance.h) and the remarks of both, per operation in recipe order.

#include "modules/engine/EngineBalance.h"
#include "modules/engine/EngineSchedule.h"
#include "modules/engine/EngineStepModel.h"

#include <QString>

// The run options' checks, with the operation types the project counts for the minimum batch size.
EngineBalanceSettings ReadEngineBalanceSettings(bool overFlow, bool underFlow);

// False, with the reason, when the model's transitions or constraints form a cycle. Raises
// CDaoException when the material database cannot be read.
bool ScheduleEngineStep(const EngineStepModel& model, const EngineBalanceSettings& settings,
                        EngineSchedule& schedule, QString* reason = nullptr);

// Reads the step from its database and schedules it; false with the reason when the database is
// not open, cannot be read, has no running operation or forms a cycle.
bool ReadAndScheduleEngineStep(long stepID, const EngineBalanceSettings& settings, EngineSchedule& schedule,
                               QString* reason = nullptr);
