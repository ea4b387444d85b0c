#pragma once
// Copies of another project's steps and processes into the open project. Each step database of
// the other project is read into an exchange file in the temporary folder, deleted once the copy
// is done or refused; the other project's files are only read. A whole copy is one import (see
// CStepImportTransaction): a failure shows its message and leaves rows, files and the step
// registry as they were.

#include <QString>

// One step of the other project into the process at the placement (StepPlacement) by the anchor;
// true once it is imported.
bool CopyOtherStepIntoProcess(const QString& otherProject, long stepID, int placement, long anchorStepID,
                              long processID);

// A process of the other project with its steps in their order numbers, or (singleStepID not -1)
// that one step alone as the only step of the new process; the new process id, 0 on failure.
long CopyOtherProcess(const QString& otherProject, long processID, long singleStepID);
