// Backward chaining of a process's steps along the material flow.

#include "recipe/transitions/TransitionBuilder.h"

#include "foundation/common/MessageBox.h"
#include "recipe/transitions/RecipeKeywords.h"

namespace {

bool chainStepVisited(const ProcessChain& chain, long stepID)
{
    for (const StepFlowRecord& step : chain.steps) {
        if (step.StepID == stepID)
            return step.visited;
    }
    return false;
}

void chainRecord(ProcessChain& chain, long from, long to)
{
    chain.records.Add({chain.newID(), from, to, chain.processID, SERIES_KEYWORD});
}

} // namespace

// For each input (key, second, third): its producer leads to the step, and is chained in turn
// before the next input. A key input nobody makes, or one the step makes itself, comes from START.
// Once the last record into the step leaves a step already chained, the step is done.
bool CTransitionBuilder::ChainProducerSteps(ProcessChain& chain, long index)
{
    chain.steps[index].visited = true;
    const StepFlowRecord step = chain.steps[index];
    long lastFrom = 0;
    bool added = false;
    for (size_t n = 0; n < step.inputs.size(); ++n) {
        const long input = step.inputs[n];
        if (input == 0 || input == -1)
            continue;
        const Array<long> producers = FindProducingStep(input, chain.steps);
        if (producers.GetSize() > 1) {
            QvMessageBox(
                QStringLiteral("Found more than one Step that produces an Output Intermediate of one of the "
                               "Steps in the Process!"),
                MB_OK | MB_ICONEXCLAMATION);
            return false;
        }
        const long producer = producers.IsEmpty() ? -1 : producers[0];
        const bool fromProducer = producer >= 0 && producer != index;
        if (fromProducer || producer == index || n == 0) {
            lastFrom = fromProducer ? chain.steps[producer].StepID : chain.startStepID;
            chainRecord(chain, lastFrom, step.StepID);
            added = true;
        }
        if (added && chainStepVisited(chain, lastFrom))
            return true;
        if (fromProducer && !ChainProducerSteps(chain, producer))
            return false;
    }
    return true;
}
