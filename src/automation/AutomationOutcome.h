#pragma once
// Turns what a frame operation or a write-through did into the call's answer: success goes on,
// anything else raises the error a script sees.

#include "automation/AutomationError.h"
#include "foundation/common/concerns/AutomationFrameServices.h"
#include "recipe/edit/RecipeItemWriteThrough.h"

// NotAvailable while the frame cannot run the operation, Failed with its texts when it failed.
void RequireDone(const AutomationRunOutcome& outcome);
// Written and Unchanged go on; a missing row or table and a database error raise Failed.
void RequireWritten(WriteThroughResult result, const QString& what);
// A value the write-through would read as "leave unchanged" is refused: nothing is stored.
[[noreturn]] void RefuseMarker(const QString& member);
// A value the recipe refuses (its text says why) raises InvalidArgument: nothing is stored.
void RequireAllowed(const QString& refusal);
// A value whose size in internal units, given in unit, reaches 1e35 raises InvalidArgument as the
// bus's own number check does ("Please enter a number for <member>.").
void RequireStorableInUnit(double value, const QString& unit, const QString& member);
