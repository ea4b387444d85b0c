#pragma once
// The preference dialogs the hub opens itself: Model Selection (1047), Physical Property (1051),
// Route Selection (1008) and Rounding (1380). Each is built on the stack, run modally on the open
// project and gone when the call returns.

class QWidget;

// Runs the dialog of that hub button with the given parent. True when the hub has work to do
// after it: 1051 closed with OK; 1380 saved its rounding rules on OK; 1047 and 1008 answer whether
// they closed with OK (the hub does nothing after them). False for any other button id.
bool RunPreferencePage(int buttonID, QWidget* parent);

// Model Selection: not shown when the stored choices cannot be read (IDCANCEL then).
int RunOperationModelPreferences(QWidget* parent);
int RunPhysicalPropertyPreferences(QWidget* parent);
int RunRouteSelectionPreferences(QWidget* parent);
// Rounding: *saved tells whether OK validated and stored the bands.
int RunResultsPreferences(QWidget* parent, bool* saved);
