#include "planning/PlanCalculationRun.h"

#include "planning/PlanReportSources.h"
#include "planning/PlanRowsWriter.h"
#include "recipe/transitions/TransitionBuilder.h"

#include <algorithm>
#include <limits>

namespace {

bool IsRequestKind(const PlanRequirementRequest& request, const char* kind)
{
    return request.StepOrProcess.compare(QLatin1String(kind), Qt::CaseInsensitive) == 0;
}

void ApplyRequestSettings(PlanRequirementCalculator& calculator, const PlanRequirementRequest& request)
{
    calculator.SetFirstBatchOverlap(request.FirstBatchOverlap);
    calculator.SetBatchOverlap(request.BatchOverlap);
    if (request.EarliestStartTime)
        calculator.SetEarliestStartTime(*request.EarliestStartTime);
    if (request.BatchTimeInterval)
        calculator.SetBatchTimeInterval(*request.BatchTimeInterval, request.BatchTimeIntervalUOM);
}

} // namespace

void PlanCalculationRun::Calculate(const PlanRequirementRequest& request)
{
    auto calculator = std::make_unique<PlanRequirementCalculator>(m_planID, request.RequirementID,
                                                                  QStringLiteral("Production Plan"));
    PlanRequirementCalculator& added = *m_calculators.emplace_back(std::move(calculator));
    if (IsRequestKind(request, "process")) {
        Array<TransitionRecord> transitions;
        if (!CTransitionBuilder::BuildProcessTransitions(request.StepOrProcessID, transitions))
            return;
        ApplyRequestSettings(added, request);
        added.CalculateForProcess(request.StepOrProcessID, request.Quantity, request.QuantityUOM);
    } else if (IsRequestKind(request, "step")) {
        ApplyRequestSettings(added, request);
        added.CalculateForStep(request.StepOrProcessID, request.Quantity, request.QuantityUOM);
    }
}

int PlanCalculationRun::GetTotalBatches() const
{
    long long total = 0;
    for (const auto& calculator : m_calculators)
        total += calculator->GetTotalBatches();
    return int(std::min<long long>(total, std::numeric_limits<int>::max()));
}

QList<PlanRequirementCalculator*> PlanCalculationRun::Calculators() const
{
    QList<PlanRequirementCalculator*> calculators;
    for (const auto& calculator : m_calculators)
        calculators.append(calculator.get());
    return calculators;
}

bool PlanCalculationRun::Write()
{
    const QList<PlanRequirementCalculator*> calculators = Calculators();
    const long planID = m_planID;
    return WritePlanCalculationRows(planID, calculators,
                                    [planID, calculators] { return WritePlanReportFilesOf(planID, calculators); });
}

bool CalculateAndWritePlan(long planID, const QList<PlanRequirementRequest>& requests)
{
    PlanCalculationRun run(planID);
    for (const PlanRequirementRequest& request : requests)
        run.Calculate(request);
    return run.GetTotalBatches() != 0 && run.Write();
}
