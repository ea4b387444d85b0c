#pragma once
// The pictures drawn beside recipe lines: breakpoints, result remarks (with and without a
// breakpoint) and the line at which a paused run stopped.

#include <QPixmap>

enum class RecipeMark { Breakpoint, Stopped, Error, ErrorBreakpoint, Warning, WarningBreakpoint };

// The mark of a line: its remark (when remark marks are shown) with or without a breakpoint, else
// its breakpoint; false when the line carries none.
bool LineMarkOf(int severity, bool breakpoint, bool remarksShown, RecipeMark* mark);
const QPixmap& RecipeMarkPixmap(RecipeMark mark);
// The 1-based line at which the step's paused run stopped; 0 without an engine or a paused run.
long StoppedRecipeLine(long stepID);
