// The plan's rows of one requirement: one detail row per batch in run order, one summary row per
// step. Every write raises CDaoException; the caller holds the transaction.

#include "simulation/PlanRequirementCalculator.h"

#include "foundation/db/project/PPDetailSet.h"
#include "foundation/db/project/PlanSummary.h"
#include "foundation/db/project/STARTStep.h"
#include "recipe/transitions/TransitionBuilder.h"

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
    std::vector<int> counts;
    for (const PlanFactorItem& item : Items)
        counts.push_back(item.NumberOfBatches);
    if (std::find(counts.begin(), counts.end(), 1) != counts.end())
        WritePass(set, walk, counts);
    else
        WriteCycles(set, walk, counts);
    return true;
}

// m cycles, m the smallest count above 0: each step runs count / m batches a cycle, the remainder
// in the last cycle, so the rows add up to the counts, which stay whole for the summary and report.
void PlanRequirementCalculator::WriteCycles(CPPDetailSet& set, const Array<RecipeRow>& walk,
                                            const std::vector<int>& counts)
{
    int cycles = 0;
    for (int count : counts) {
        if (count > 0 && (cycles == 0 || count < cycles))
            cycles = count;
    }
    std::vector<int> perCycle, last;
    for (int count : counts) {
        perCycle.push_back(cycles == 0 ? 0 : count / cycles);
        last.push_back(cycles == 0 ? 0 : count / cycles + count % cycles);
    }
    for (int cycle = 0; cycle < cycles; ++cycle)
        WritePass(set, walk, cycle == cycles - 1 ? last : perCycle);
}

// The walk's steps after START in order, each item of a step its count of batches.
void PlanRequirementCalculator::WritePass(CPPDetailSet& set, const Array<RecipeRow>& walk,
                                          const std::vector<int>& counts)
{
    for (long entry = 1; entry < walk.GetSize(); ++entry) {
        for (size_t i = 0; i < Items.size(); ++i) {
            if (Items[i].StepID == walk[entry].ID)
                WriteBatchRows(set, Items[i], counts[i], !m_detailRowWritten);
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
