#pragma once
// The user actions of the save driver beside its revisions, each through the program's own code
// with the services the frame installs for it:
//   process-copy=<other project file>  the other project's first process copied in whole;
//   import-step                        a step exported to an exchange file and imported again as
//                                      the last step of the first process;
//   paste                              a unit procedure of the Coupling step, with its operations,
//                                      copied in its text-recipe window and pasted after the last line.

#include <QString>

class StepDatabaseRegistry;

// Whether the text names one of the actions.
bool IsDriverAction(const QString& text);
// What the action needs before the session's first action: the exchange file of an import, written
// into the session root. False after its message when it could not be made.
bool PrepareDriverAction(const QString& text, const QString& sessionRoot);
// The action on the open project; false after its message when a part failed.
bool RunDriverAction(const QString& text, const QString& sessionRoot, StepDatabaseRegistry& steps);
