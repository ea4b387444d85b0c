#pragma once
// Derives the transition tables the engine follows from the text recipes and the material flow:
// a step's unit-procedure and operation transitions (step database), a process's step transitions
// (project database), and lists the items of stored transitions in run order. No state; every
// build reads, checks and computes first and writes its tables in one transaction at its end, so
// a failing build leaves the stored transitions as they were. Failures show their message.

#include "foundation/common/Array.h"
#include "recipe/transitions/RecipeRow.h"
#include "recipe/transitions/StepFlowRecord.h"
#include "recipe/transitions/StructureCheckResult.h"
#include "recipe/transitions/TransitionRecord.h"

class CTransitionBuilder {
public:
    // The rows always come from the step's text recipe (hidden lines left out); the user-sequence
    // arguments are accepted and not used. The lists are filled also when the build fails.
    static bool BuildStepTransitions(long stepID, Array<TransitionRecord>& unitProcedureTransitions,
                                     Array<TransitionRecord>& operationTransitions,
                                     bool fromUserSequenceFile = false,
                                     const QString& fileNamePrefix = QStringLiteral("dummy"),
                                     long fileID = -1, long filter = 1);
    static bool BuildProcessTransitions(long processID, Array<TransitionRecord>& stepTransitions);

    // One level's rules and transitions (no message shown: the result holds it). Nonzero on pass.
    static long BuildLevelTransitions(const QString& kind, Array<RecipeRow> rows, long stepID, long ownerID,
                                      long startID, Array<TransitionRecord>& out,
                                      StructureCheckResult& result);
    // Replaces the step's [OperationTransition] rows. Raises CDaoException.
    static void WriteOperationTransitions(long stepID, const Array<TransitionRecord>& transitions);

    // The indexes of the steps whose outputs hold the material (none for 0 or -1).
    static Array<long> FindProducingStep(long materialID, const Array<StepFlowRecord>& steps);
    // Chains the step at the index backwards to the producers of its inputs, depth first. False
    // (after the message) when an input has more than one producer.
    static bool ChainProducerSteps(ProcessChain& chain, long index);

    // Appends the items of the transition graph in walk order, starting at the item the start
    // transition leaves; each item once. counter counts the entries appended.
    static void WalkTransitions(const QString& level, long levelNumber,
                                const Array<TransitionRecord>& transitions, long count, long startIndex,
                                long& counter, Array<RecipeRow>& walk);
};
