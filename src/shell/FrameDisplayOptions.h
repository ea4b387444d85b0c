#pragma once
// The project's text-recipe display options that the main frame keeps while a project is open,
// and the ambient pressure of the operation defaults.

struct FrameDisplayOptions {
    bool comments = false; // show comments in the recipe text
    bool ranges = false;   // show range texts
    bool addSpace = false; // one more line break before ranges and comments
    bool warnings = false; // draw the result-remark icons
    long rangeTypeID = 0;
};

// Reads [TextRecipeOptions] and the "Warnings" row of [MessageOptions] of the open project.
// A flag is on when its row holds 1; a missing or Null row leaves it off.
FrameDisplayOptions ReadFrameDisplayOptions();

// The "Ambient Pressure" default of the open project converted to internal units; false after
// "Can't open Operation Default table for update!" or when the row is missing.
bool ReadAmbientPressure(double& internalValue);
