#pragma once
// Reading the open project's text-recipe display options and the ambient pressure of the
// operation defaults at the hand-over.

#include "foundation/common/concerns/DisplayOptions.h"

// Reads [TextRecipeOptions] and the "Warnings" row of [MessageOptions] of the open project.
// A flag is on when its row holds 1; a missing or Null row leaves it off.
DisplayOptions ReadFrameDisplayOptions();

// The "Ambient Pressure" default of the open project converted to internal units; false after
// "Can't open Operation Default table for update!" or when the row is missing.
bool ReadAmbientPressure(double& internalValue);
