#pragma once
// The preference dialogs the hub opens itself: Model Selection (1047), Physical Property (1051),
// Route Selection (1008) and Rounding (1380). The hub calls RunPreferencePage from the button's
// handler; the dialog is built on the stack, run modally and gone when the call returns.

class QWidget;

// Runs the dialog of that hub button with the given parent. True when the hub has work to do
// after it: 1051 closed with OK; 1380 saved its rounding rules on OK; 1047 and 1008 answer what
// they like (the hub does nothing after them). False for any other button id.
bool RunPreferencePage(int buttonID, QWidget* parent);
