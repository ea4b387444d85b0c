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
