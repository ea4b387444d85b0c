// The plan's rows of one requirement: one detail row per batch in run order, one summary row per
// step. Every write raises CDaoException; the caller holds the transaction.

#include "planning/PlanRequirementCalculator.h"

#include "foundation/db/project/PPDetailSet.h"
#include "foundation/db/project/PlanSummary.h"
#include "foundation/db/project/STARTStep.h"
#include "recipe/TransitionBuilder.h"

#include <algorithm>

bool PlanRequirementCalculator::WritePlanDetail()
{
    CPPDetailSet set;
    set.SetErrorMode(DaoErrorMode::Propagate);
    set.OpenSet(PlanID);
    m_detailRowWritten = false;
    if (TransitionCount == 0) {
        if (!Items.empty())
            WriteItemDetailRows(set, Items.front(), true);
        return true;
    }
    return WriteProcessDetailRows(set);
}

void PlanRequirementCalculator::WriteItemDetailRows(CPPDetailSet& set, PlanFactorItem& item, bool firstOfRequirement)
{
    WriteBatchRows(set, item, item.NumberOfBatches, firstOfRequirement);
}

// The first row written for the requirement is its first batch: its overlap and earliest start;
// every other row the batch overlap and interval.
void PlanRequirementCalculator::WriteBatchRows(CPPDetailSet& set, const PlanFactorItem& item, int count,
                                               bool firstOfRequirement)
{
    for (int b = 0; b < count; ++b) {
        const bool first = b == 0 && firstOfRequirement;
        set.AddNew();
        set.SetLong(QStringLiteral("PlanID"), PlanID);
        set.SetLong(QStringLiteral("StepID"), item.StepID);
        set.SetBool(QStringLiteral("Overlap"), first ? FirstBatchOverlap : BatchOverlap);
        set.SetLong(QStringLiteral("PlantID"), item.PlantID);
        set.SetLong(QStringLiteral("RequirementID"), RequirementID);
        if (first) {
            set.SetDate(QStringLiteral("EarliestStartTime"), EarliestStartTime);
        } else {
            set.SetDouble(QStringLiteral("BatchTimeInterval"), BatchTimeInterval);
            set.SetText(QStringLiteral("BatchTimeIntervalUOM"), BatchTimeIntervalUOM);
        }
        set.Update();
        m_detailRowWritten = true;
    }
}

long PlanRequirementCalculator::StartStepID() const
{
    CSTARTStep start;
    start.SetErrorMode(DaoErrorMode::Propagate);
    start.OpenSet();
    return start.IsEOF() ? 1 : start.GetLong(QStringLiteral("StepID"));
}

// The steps in the run order that starts at the last transition leaving the START step: one pass
// when a step has a single batch, else cycles of the sequence. False when no transition leaves it.
bool PlanRequirementCalculator::WriteProcessDetailRows(CPPDetailSet& set)
{
    const long start = StartStepID();
    long startIndex = -1;
    for (long i = 0; ItemCount > 0 && i < TransitionCount; ++i) {
        if (Transitions[i].FromID == start)
            startIndex = i;
    }
    if (startIndex < 0)
        return false;
    Array<RecipeRow> walk;
    long counter = 0;
    CTransitionBuilder::WalkTransitions(QStringLiteral("process"), StepOrProcessID, Transitions, TransitionCount,
                                        startIndex, counter, walk);
    const bool singleBatchStep = std::any_of(Items.begin(), Items.end(), [](const PlanFactorItem& item) {
        return item.NumberOfBatches == 1;
    });
    if (singleBatchStep)
        WritePass(set, walk, std::vector<int>(Items.size(), 0));
    else
        WriteCycles(set, walk);
    return true;
}

// m cycles, m the smallest count above 0: each step runs count / m batches a cycle (its count
// from now on), the remainder in the last cycle so the rows add up to the count.
void PlanRequirementCalculator::WriteCycles(CPPDetailSet& set, const Array<RecipeRow>& walk)
{
    int cycles = 0;
    for (const PlanFactorItem& item : Items) {
        if (item.NumberOfBatches > 0 && (cycles == 0 || item.NumberOfBatches < cycles))
            cycles = item.NumberOfBatches;
    }
    if (cycles == 0)
        return;
    std::vector<int> none(Items.size(), 0), remainders;
    for (PlanFactorItem& item : Items) {
        remainders.push_back(item.NumberOfBatches % cycles);
        item.NumberOfBatches /= cycles;
    }
    for (int cycle = 0; cycle < cycles; ++cycle)
        WritePass(set, walk, cycle == cycles - 1 ? remainders : none);
}

// The walk's steps after START in order, each item of a step its batches plus the extra ones.
void PlanRequirementCalculator::WritePass(CPPDetailSet& set, const Array<RecipeRow>& walk,
                                          const std::vector<int>& extraBatches)
{
    for (long entry = 1; entry < walk.GetSize(); ++entry) {
        for (size_t i = 0; i < Items.size(); ++i) {
            if (Items[i].StepID == walk[entry].ID)
                WriteBatchRows(set, Items[i], Items[i].NumberOfBatches + extraBatches[i], !m_detailRowWritten);
        }
    }
}

void PlanRequirementCalculator::WritePlanSummary()
{
    CPlanSummary set;
    set.SetErrorMode(DaoErrorMode::Propagate);
    set.OpenSet(PlanID);
    for (const PlanFactorItem& item : Items) {
        if (IsUnsetForPlan(item))
            continue;
        set.AddNew();
        set.SetLong(QStringLiteral("PlanID"), PlanID);
        set.SetLong(QStringLiteral("RequirementID"), RequirementID);
        set.SetLong(QStringLiteral("StepID"), item.StepID);
        set.SetShort(QStringLiteral("NumberOfBatches"), short(std::min(item.NumberOfBatches, 32767)));
        set.Update();
    }
}
