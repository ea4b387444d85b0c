// The step transitions of a process, from the material flow between its steps: each step follows
// the producers of its inputs, back from the producer of the final product. A cleaning step, or a
// final product made by more than one step, chains the steps in list order instead.

#include "recipe/transitions/TransitionBuilder.h"

#include "foundation/common/MessageBox.h"
#include "foundation/db/connection/DaoException.h"
#include "foundation/db/connection/DaoTransaction.h"
#include "foundation/db/project/ProcessSet.h"
#include "foundation/db/project/ProcessStepSet.h"
#include "foundation/db/project/STARTStep.h"
#include "foundation/db/project/StepTransition.h"
#include "foundation/db/step/StepSet.h"
#include "recipe/transitions/RecipeKeywords.h"

namespace {

const QString PROCESS_NOT_FOUND = QStringLiteral("Could not find process in Database!");
const QString STEP_TABLE_EMPTY = QStringLiteral("Step table is empty!");
const QString NO_FINAL_PRODUCER = QStringLiteral(
    "Could not find Step whose Output Intermediate is the same as the Final Product as the Process!");

void warnProcess(const QString& text)
{
    QvMessageBox(text, MB_OK | MB_ICONEXCLAMATION);
}

long idOrNone(const CDaoRecordset& set, const QString& column)
{
    return set.IsFieldNull(column) ? -1 : set.GetLong(column);
}

bool findFinalProduct(long processID, long& finalProduct)
{
    CProcessSet processes;
    if (!processes.OpenSet())
        return false;
    const bool found = processes.FindFirst(
        [processID](const CDaoRecordset& row) { return row.GetLong("ProcessID") == processID; });
    if (!found) {
        warnProcess(PROCESS_NOT_FOUND);
        return false;
    }
    finalProduct = idOrNone(processes, QStringLiteral("FinalProductMaterialID"));
    return true;
}

bool readStepFlow(long stepID, StepFlowRecord& flow)
{
    CStepSet step;
    if (!step.OpenSet(stepID))
        return false;
    if (step.IsEOF()) {
        warnProcess(STEP_TABLE_EMPTY);
        return false;
    }
    flow.StepID = stepID;
    flow.inputs = {idOrNone(step, "KeyInputIntermediateID"), idOrNone(step, "InputIntermediate2ID"),
                   idOrNone(step, "InputIntermediate3ID")};
    flow.outputs = {idOrNone(step, "KeyOutputIntermediateID"), idOrNone(step, "OutputIntermediate2ID"),
                    idOrNone(step, "OutputIntermediate3ID")};
    flow.cleaningFlag = idOrNone(step, "CleaningFlag");
    return true;
}

// The START step has no step database of its own and takes no part in the flow.
bool readStepFlows(ProcessChain& chain)
{
    CProcessStepSet list;
    if (!list.OpenSet(chain.processID) || list.IsEOF())
        return false;
    for (; !list.IsEOF(); list.MoveNext()) {
        StepFlowRecord flow;
        const long stepID = list.GetLong("StepID");
        if (stepID == chain.startStepID)
            continue;
        if (!readStepFlow(stepID, flow))
            return false;
        chain.steps.Add(flow);
    }
    return true;
}

long readStartStepID()
{
    CSTARTStep set;
    if (!set.OpenSet() || set.IsEOF() || set.IsFieldNull("StepID"))
        return 1;
    return set.GetLong("StepID");
}

void addStepRecord(ProcessChain& chain, long from, long to)
{
    chain.records.Add({chain.newID(), from, to, chain.processID, SERIES_KEYWORD});
}

// Every record that leaves the START step leaves the step instead, and START leads to the step.
void putAfterStart(ProcessChain& chain, long index)
{
    StepFlowRecord& step = chain.steps[index];
    for (TransitionRecord& record : chain.records) {
        if (record.FromID == chain.startStepID)
            record.FromID = step.StepID;
    }
    addStepRecord(chain, chain.startStepID, step.StepID);
    step.visited = true;
}

void chainInListOrder(ProcessChain& chain)
{
    for (long i = chain.steps.GetSize() - 1; i >= 0; --i)
        putAfterStart(chain, i);
}

void chainUnreachedSteps(ProcessChain& chain)
{
    for (long i = 0; i < chain.steps.GetSize(); ++i) {
        if (!chain.steps[i].visited && !CTransitionBuilder::ChainProducerSteps(chain, i))
            putAfterStart(chain, i);
    }
}

Array<long> indexesWith(const Array<TransitionRecord>& records, long TransitionRecord::*end, long id)
{
    Array<long> found;
    for (long i = 0; i < records.GetSize(); ++i) {
        if (records[i].*end == id)
            found.Add(i);
    }
    return found;
}

void markShared(Array<TransitionRecord>& records, const Array<long>& group, const QString& type)
{
    if (group.GetSize() < 2)
        return;
    const QString id = records[group[0]].TransitionID;
    for (long i : group) {
        records[i].TransitionType = type;
        records[i].TransitionID = id;
    }
}

// Steps that share a source start a parallel block; steps that share a target end one.
void markParallelBlocks(Array<TransitionRecord>& records)
{
    for (long i = 0; i < records.GetSize(); ++i) {
        markShared(records, indexesWith(records, &TransitionRecord::FromID, records[i].FromID),
                   START_PARALLEL);
        markShared(records, indexesWith(records, &TransitionRecord::ToID, records[i].ToID), END_PARALLEL);
    }
}

bool anyCleaningStep(const Array<StepFlowRecord>& steps)
{
    for (const StepFlowRecord& step : steps) {
        if (step.cleaningFlag == 1)
            return true;
    }
    return false;
}

bool chainProcess(ProcessChain& chain, long finalProduct)
{
    const Array<long> producers = CTransitionBuilder::FindProducingStep(finalProduct, chain.steps);
    if (producers.IsEmpty()) {
        warnProcess(NO_FINAL_PRODUCER);
        return false;
    }
    if (producers.GetSize() > 1 || anyCleaningStep(chain.steps)) {
        chainInListOrder(chain);
        return true;
    }
    if (!CTransitionBuilder::ChainProducerSteps(chain, producers[0]))
        return false;
    chainUnreachedSteps(chain);
    return true;
}

bool writeProcessTable(const ProcessChain& chain)
{
    QList<QVariantList> rows;
    rows.reserve(chain.records.GetSize());
    for (const TransitionRecord& t : chain.records)
        rows.append({t.TransitionID, qlonglong(t.FromID), qlonglong(t.ToID), qlonglong(chain.processID),
                     t.TransitionType});
    try {
        CStepTransition set;
        if (!set.OpenSet(chain.processID))
            return false;
        CDaoTransaction transaction(*set.GetDatabase());
        set.ReplaceAll(rows);
        transaction.Commit();
        return true;
    } catch (const CDaoException& error) {
        warnProcess(error.GetErrorDescription());
        return false;
    }
}

} // namespace

bool CTransitionBuilder::BuildProcessTransitions(long processID, Array<TransitionRecord>& stepTransitions)
{
    long finalProduct = -1;
    if (!findFinalProduct(processID, finalProduct))
        return false;
    ProcessChain chain{processID, readStartStepID(), {}, {}, FreshTransitionIds()};
    if (!readStepFlows(chain) || !chainProcess(chain, finalProduct))
        return false;
    markParallelBlocks(chain.records);
    stepTransitions = chain.records;
    return writeProcessTable(chain);
}

Array<long> CTransitionBuilder::FindProducingStep(long materialID, const Array<StepFlowRecord>& steps)
{
    Array<long> producers;
    if (materialID == 0 || materialID == -1)
        return producers;
    for (long i = 0; i < steps.GetSize(); ++i) {
        const auto& outputs = steps[i].outputs;
        if (std::find(outputs.begin(), outputs.end(), materialID) != outputs.end())
            producers.Add(i);
    }
    return producers;
}
