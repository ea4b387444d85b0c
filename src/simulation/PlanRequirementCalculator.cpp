#include "simulation/PlanRequirementCalculator.h"

#include "foundation/db/equipment/PlantSet.h"
#include "foundation/db/material/MaterialCommonSet.h"
#include "foundation/db/material/MaterialPropertySet.h"

#include <algorithm>
#include <limits>

PlanRequirementCalculator::PlanRequirementCalculator(long planID, long requirementID, const QString& mode)
    : PlanID(planID), RequirementID(requirementID), Mode(mode)
{
}

// The material singletons go with the calculator, so their connections close.
PlanRequirementCalculator::~PlanRequirementCalculator()
{
    m_plants.reset();
    CMaterialCommonSet::Destroy();
    CMaterialPropertySet::Destroy();
}

void PlanRequirementCalculator::SetBatchTimeInterval(double interval, const QString& uom)
{
    BatchTimeInterval = interval;
    BatchTimeIntervalUOM = uom;
}

int PlanRequirementCalculator::GetTotalBatches() const
{
    long long total = 0;
    for (const PlanFactorItem& item : Items)
        total += item.NumberOfBatches;
    return int(std::min<long long>(total, std::numeric_limits<int>::max()));
}

bool PlanRequirementCalculator::IsPlanMode() const
{
    return Mode.compare(QLatin1String("Production Plan"), Qt::CaseInsensitive) == 0;
}

// A step without a summary row: no batch size, or in a plan a batch size of 0 on a step that is
// neither a cleaning step nor the step asked for in batches.
bool PlanRequirementCalculator::IsUnsetForPlan(const PlanFactorItem& item) const
{
    if (item.BatchSize >= PLAN_UNSET)
        return true;
    return IsPlanMode() && !item.CleaningFlag && item.BatchSize == 0.0 && item.StepID != m_batchesStepID;
}

PlanFactorItem* PlanRequirementCalculator::ItemOfStep(long stepID)
{
    auto found = std::find_if(Items.begin(), Items.end(), [stepID](const PlanFactorItem& item) {
        return item.StepID == stepID;
    });
    return found == Items.end() ? nullptr : &*found;
}

namespace {

bool ProducesMaterial(const PlanFactorItem& item, long materialID)
{
    return item.KeyOutputID == materialID || item.Output2ID == materialID || item.Output3ID == materialID;
}

bool ConsumesMaterial(const PlanFactorItem& item, long materialID)
{
    return item.KeyInputID == materialID || item.Input2ID == materialID || item.Input3ID == materialID;
}

// The first item the test accepts, with its position; -1 and 0 when none (or no material).
template <typename Test>
long FindItemStep(const std::vector<PlanFactorItem>& items, long materialID, int* index, Test accepts)
{
    if (index)
        *index = 0;
    if (materialID == 0 || materialID == -1)
        return -1;
    for (size_t i = 0; i < items.size(); ++i) {
        if (accepts(items[i], materialID)) {
            if (index)
                *index = int(i);
            return items[i].StepID;
        }
    }
    return -1;
}

} // namespace

long PlanRequirementCalculator::FindProducingStep(long materialID, int* index) const
{
    return FindItemStep(Items, materialID, index, ProducesMaterial);
}

long PlanRequirementCalculator::FindConsumingStep(long materialID, int* index) const
{
    return FindItemStep(Items, materialID, index, ConsumesMaterial);
}
