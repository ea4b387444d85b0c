#pragma once
// The process and step dialogs of the Process Explorer, entered per call on a stack object: a
// process (new or edited), a step (new, a link to a step of another process, or edited). Each
// answers nonzero only when its rows were committed; it then sets the application's pending
// project change. Dialogs go through AddNewDialogService, the rows through AddNew*Write.h.

#include <QString>

// Where a new step goes in its process.
enum StepInsertMode : int {
    STEP_INSERT_EDIT = 0,
    STEP_INSERT_FIRST = 1,
    STEP_INSERT_LAST = 2,
    STEP_INSERT_BEFORE = 3, // the reference step
    STEP_INSERT_AFTER = 4,  // the reference step
};

class CAddNewExport {
public:
    // processID -1 creates a process (its id goes to newProcessID), an id edits that process.
    int NewOrEditProcess(long processID, long* newProcessID, QString* name, QString* version, QString tempDir);
    // stepID -1 creates a step in the process at the place the mode gives (or links a step of
    // another process there); an id with mode 0 edits that step.
    int NewOrEditStep(long processID, QString processName, QString processVersion, long stepID, long* newStepID,
                      QString* stepName, QString* stepVersion, QString tempDir, int mode, long referenceStepID);

private:
    int newStep(long processID, const QString& processLabel, long* newStepID, QString* stepName,
                QString* stepVersion, int mode, long referenceStepID);
    int editStep(long stepID, const QString& processLabel, QString* stepName, QString* stepVersion);
};
