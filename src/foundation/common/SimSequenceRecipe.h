#pragma once
// A step's visible operations as a user-defined simulation sequence lists them: the text recipe in
// order without hidden rows; unit-procedure rows set the current unit procedure, the parallel, "or"
// and series markers are passed over, every other row is an operation.

#include "foundation/common/UserSimSequenceFile.h"

struct SimSequenceStepRecipe {
    bool opened = false; // the step's text recipe could be read
    QString stepName;
    QString stepVersionName;
    QList<SimSequenceOperation> operations;
};

SimSequenceStepRecipe ReadSimSequenceStepRecipe(long stepID);

// A requirement gets at most this many batch columns of each of its steps.
constexpr int SIM_SEQUENCE_MAX_BATCHES = 30;
// The most columns a plan's sequence can have: 30 batches of every step of the project (START
// aside) for each of the plan's requirements. A file of more is not read. 0 when the project
// cannot be read.
int SimSequenceColumnLimit(long planID);
