// The batch count: from the step making the requested material upstream through the producers of
// its inputs, each step's count rounded up.

#include "simulation/PlanRequirementCalculator.h"

#include "foundation/common/MessageBox.h"
#include "foundation/common/UnitConversion.h"
#include "foundation/db/step/StepSet.h"
#include "simulation/PlanMaterialLookup.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace {

constexpr double MAX_PLAN_BATCHES = 32767.0; // NumberOfBatches and BatchNumber are 16-bit

bool IsBatchesUnit(const QString& uom)
{
    return uom.compare(QLatin1String("batches"), Qt::CaseInsensitive) == 0;
}

// Rounded up with a tolerance of 1e-6 batches: 2.3 and 2.7 give 3, 2 + 5e-7 gives 2; nothing
// (negative or not a number) gives 0.
double BatchCountOf(double total)
{
    if (!(total > 0.0))
        return 0.0;
    double n = std::floor(total + 0.5);
    if (total - n > 1e-6)
        n = std::floor(total + 1.0);
    return n;
}

// A by-product factor that divides: 1 when it is 0 or unset.
double DivisorOf(double factor)
{
    return factor == 0.0 || factor >= PLAN_UNSET ? 1.0 : factor;
}

// The molecular weight of a batch size given on another basis: 18.02 when it is missing.
double BatchSizeMolecularWeight(const CStepSet& step)
{
    const QString column = QStringLiteral("BatchSizeMW");
    const double mw = step.GetDouble(column);
    if (step.IsFieldNull(column) || !(mw > 0.0) || mw >= PLAN_UNSET)
        return PLAN_DEFAULT_MW;
    return mw;
}

} // namespace

void PlanRequirementCalculator::CalculateForProcess(long processID, double quantity, const QString& uom)
{
    StepOrProcessID = processID;
    QuantityUOM = uom;
    Kind = QStringLiteral("process");
    if (!LoadProcess() || !LoadSteps(-1))
        return;
    if (!IsPlanMode())
        UseSimulatedBatchSizes();
    const long finalStep = FindProducingStep(TargetMaterialID, nullptr);
    if (finalStep == -1 || !PrepareAmount(finalStep, quantity, uom))
        return;
    PropagateUpstream(finalStep, TargetMaterialID, RequiredAmount, uom, true);
    SetCleaningStepBatches();
}

void PlanRequirementCalculator::CalculateForStep(long stepID, double quantity, const QString& uom)
{
    CurrentStepID = stepID;
    QuantityUOM = uom;
    Kind = QStringLiteral("step");
    if (!LoadSteps(stepID) || !PrepareAmount(stepID, quantity, uom))
        return;
    PropagateUpstream(stepID, TargetMaterialID, RequiredAmount, uom, false);
}

// The requirement quantity in the internal amount unit, by the molecular weight of the step's
// batch-size basis; false when the material master or the step's row does not open.
bool PlanRequirementCalculator::PrepareAmount(long stepID, double quantity, const QString& uom)
{
    QString name;
    const MaterialLookup target = LookUpMaterialName(TargetMaterialID, &name);
    CStepSet step;
    step.SetErrorMode(DaoErrorMode::Quiet);
    if (target == MaterialLookup::NotOpen || !step.OpenSet(stepID) || step.IsEOF())
        return false;
    double mw = BatchSizeMolecularWeight(step);
    if (step.GetText(QStringLiteral("BatchSizeBase")).compare(QLatin1String("PureComp"), Qt::CaseInsensitive) == 0) {
        const double stored = StoredMolecularWeight(TargetMaterialID);
        mw = stored >= PLAN_UNSET || target == MaterialLookup::Missing ? PLAN_DEFAULT_MW : stored;
    }
    RequiredAmount = UserToInternal(uom, quantity, mw, 1.0);
    MolecularWeight = mw;
    ProductName = name;
    m_batchesStepID = IsBatchesUnit(uom) ? stepID : 0;
    return true;
}

// The amount asked, as key output of the step: a by-product's amount over its factor.
double PlanRequirementCalculator::AskedOfKeyOutput(const PlanFactorItem& item, long materialID, double amount,
                                                   const QString& uom) const
{
    if (IsBatchesUnit(uom) || materialID == item.KeyOutputID)
        return amount;
    if (materialID == item.Output2ID)
        return amount / DivisorOf(item.Output2Factor);
    if (materialID == item.Output3ID)
        return amount / DivisorOf(item.Output3Factor);
    return amount;
}

void PlanRequirementCalculator::PropagateUpstream(long stepID, long materialID, double amount, const QString& uom,
                                                  bool recurse)
{
    if (m_endedWithoutBatches || std::find(m_callChain.begin(), m_callChain.end(), stepID) != m_callChain.end())
        return; // a recycle back into a step already asked on this chain
    CurrentStepID = stepID;
    PlanFactorItem* item = ItemOfStep(stepID);
    const bool batches = IsBatchesUnit(uom);
    if (!item || (!item->CleaningFlag && (materialID == 0 || item->BatchSize >= PLAN_UNSET)))
        return;
    if (IsPlanMode() && !batches && !item->CleaningFlag && item->BatchSize == 0.0)
        return; // a batch size of 0 divides nothing into batches
    double bs = item->CleaningFlag ? 1.0 : item->BatchSize;
    if (batches && bs == 0.0)
        bs = 1.0;
    const double x = batches ? amount * bs : AskedOfKeyOutput(*item, materialID, amount, uom);
    if (batches)
        RequiredAmount = x;
    const double producedBefore = IsPlanMode() ? item->NumberOfBatches * bs : item->Amount;
    double total = item->Amount + x;
    if (IsPlanMode())
        total /= bs;
    if (!StoreCount(*item, total, bs))
        return;
    const double produced = IsPlanMode() ? item->NumberOfBatches * bs : item->Amount;
    std::vector<UpstreamRequest> upstream;
    AskInputs(*item, produced - producedBefore, upstream);
    if (!recurse)
        return;
    m_callChain.push_back(stepID);
    for (const UpstreamRequest& request : upstream)
        PropagateUpstream(request.stepID, request.materialID, request.amount, QString(), true);
    m_callChain.pop_back();
}

// Rounds the step's total (batches in a plan, else an amount) into its count and Amount; false
// when a plan would need more batches than a count holds, which ends the requirement.
bool PlanRequirementCalculator::StoreCount(PlanFactorItem& item, double total, double bs)
{
    double n = BatchCountOf(total);
    if (item.CleaningFlag && Kind.compare(QLatin1String("process"), Qt::CaseInsensitive) == 0)
        n = 1.0;
    if (IsPlanMode() && n > MAX_PLAN_BATCHES) {
        EndWithoutBatches(item.StepName, n);
        return false;
    }
    item.Amount = IsPlanMode() ? total * bs : total;
    item.NumberOfBatches = int(std::min(n, double(std::numeric_limits<int>::max())));
    return true;
}

// Each input asks its producer for the part of the key output just added times its factor.
void PlanRequirementCalculator::AskInputs(const PlanFactorItem& item, double added,
                                          std::vector<UpstreamRequest>& upstream) const
{
    const std::pair<long, double> inputs[] = {
        {item.KeyInputID, item.KeyInputFactor}, {item.Input2ID, item.Input2Factor}, {item.Input3ID, item.Input3Factor}};
    for (const auto& [inputID, factor] : inputs) {
        if (inputID == 0 || inputID == -1 || factor >= PLAN_UNSET || added * factor == 0.0)
            continue;
        const long producer = FindProducingStep(inputID, nullptr);
        if (producer == -1 || producer == item.StepID)
            continue;
        auto entry = std::find_if(upstream.begin(), upstream.end(),
                                  [producer](const UpstreamRequest& request) { return request.stepID == producer; });
        if (entry != upstream.end())
            entry->amount += added * factor;
        else
            upstream.push_back({producer, inputID, added * factor});
    }
}

void PlanRequirementCalculator::EndWithoutBatches(const QString& stepName, double count)
{
    QvMessageBox(QStringLiteral("Step %1 needs %2 batches, more than 32767!")
                     .arg(stepName, QString::number(count, 'f', 0)),
                 MB_ICONEXCLAMATION);
    for (PlanFactorItem& item : Items)
        item.NumberOfBatches = 0;
    m_endedWithoutBatches = true;
}

void PlanRequirementCalculator::SetCleaningStepBatches()
{
    if (m_endedWithoutBatches)
        return;
    for (PlanFactorItem& item : Items) {
        if (item.CleaningFlag)
            item.NumberOfBatches = 1;
    }
}
