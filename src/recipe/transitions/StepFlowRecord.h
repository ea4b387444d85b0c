#pragma once
// The material flow of one step of a process, and the state of one process transition build.

#include "foundation/common/Array.h"
#include "recipe/transitions/TransitionRecord.h"

#include <array>

struct StepFlowRecord {
    long StepID = 0;
    std::array<long, 3> inputs{-1, -1, -1};  // key, second, third intermediate; -1 = none
    std::array<long, 3> outputs{-1, -1, -1}; // likewise
    long cleaningFlag = 0;
    bool visited = false;
};

struct ProcessChain {
    long processID = 0;
    long startStepID = 1;
    Array<StepFlowRecord> steps; // in the process's step order
    Array<TransitionRecord> records;
    TransitionIdMaker newID;
};
