#pragma once
// The step module's answer for a database it was asked to bring up to the program's version.

enum ConversionCode : int {
    CONV_CURRENT = 0,           // nothing to do
    CONV_PROJECT_CONVERTED = 1, // the project was migrated: save it once it is open
    CONV_STEP_CONVERTED = 2,    // the step was migrated: regenerate its recipe text
    CONV_STOP_AND_DISCARD = 3,  // the user was told why it cannot be used (project); a step goes on
    CONV_FAILED = 4,            // a migration (rolled back) or a working copy failed
};
