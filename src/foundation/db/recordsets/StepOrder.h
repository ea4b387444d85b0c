#pragma once
// Where a step goes in its process: the StepOrder of its [Step-To-Process] row. Every other row of
// the process at or above the step's new order moves up one; a START row is never moved.

class CDaoDatabase;

// How a step is placed among the steps of its process.
enum StepPlacement : int {
    PLACE_FIRST = 1,
    PLACE_LAST = 2,
    PLACE_BEFORE = 3, // the anchor step
    PLACE_AFTER = 4,  // the anchor step
};

// Gives the step's row of the process (added when missing) its place and answers the StepOrder it
// took. An anchor that is not in the process, and an unknown placement, put the step last; last in
// a process without other steps is 1. Raises CDaoException; the caller holds the transaction.
long InsertStepOrder(CDaoDatabase& project, long processID, long stepID, int placement, long anchorStepID);
