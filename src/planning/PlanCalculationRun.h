#pragma once
// One plan's calculation from its requirement rows to its results: each requirement calculated
// into batch counts, then the plan's detail and summary rows replaced in one transaction and,
// only after their commit, the product-factor report and the plan sequence file written.

#include "simulation/PlanRequirementCalculator.h"

#include <QList>
#include <QString>
#include <memory>
#include <optional>
#include <vector>

// One requirement row of a plan, as the calculation reads it.
struct PlanRequirementRequest {
    long RequirementID = 0;
    QString StepOrProcess; // "process" or "step", any case
    long StepOrProcessID = 0;
    double Quantity = 0.0;
    QString QuantityUOM;
    bool FirstBatchOverlap = true;
    bool BatchOverlap = true;
    std::optional<double> EarliestStartTime; // OLE automation date
    std::optional<double> BatchTimeInterval;
    QString BatchTimeIntervalUOM;
};

class PlanCalculationRun {
public:
    explicit PlanCalculationRun(long planID) : m_planID(planID) {}
    PlanCalculationRun(const PlanCalculationRun&) = delete;
    PlanCalculationRun& operator=(const PlanCalculationRun&) = delete;

    // Adds the requirement's calculator. A process gets its step transitions rebuilt first; when
    // that fails, or the kind is neither, the requirement stays without batches.
    void Calculate(const PlanRequirementRequest& request);
    int GetTotalBatches() const;
    QList<PlanRequirementCalculator*> Calculators() const;

    // The rows, then both files; false when the rows (old rows kept, no files) or a file failed.
    bool Write();

private:
    long m_planID;
    std::vector<std::unique_ptr<PlanRequirementCalculator>> m_calculators;
};

// The whole calculation of a plan: calculate every request, then write when there are batches.
// False without writing anything when the plan comes to 0 batches (the message is the caller's).
bool CalculateAndWritePlan(long planID, const QList<PlanRequirementRequest>& requests);
