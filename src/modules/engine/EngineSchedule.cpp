#include "modules/engine/EngineSchedule.h"

#include "foundation/db/content/MaterialPropertyIDs.h"
#include "modules/engine/EngineBalance.h"

#include <algorithm>

QString NegativeValueRemarkText(const QString& field)
{
    return QStringLiteral("A value of %1 is negative; 0 is used.").arg(field);
}

QString DensityAssumedRemarkText(const QString& material)
{
    return QStringLiteral("%1 has no density: 1,000 kg/m3 assumed.").arg(material);
}

QString UnschedulableStepRemarkText(const QString& name, const QString& version, const QString& reason)
{
    return QStringLiteral("Step %1 (%2) cannot be scheduled: %3.").arg(name, version, reason);
}

ResultsRunSummary EngineSchedule::Summary(int count) const
{
    const int used = count < 0 ? int(operations.size()) : std::min(count, int(operations.size()));
    ResultsRunSummary summary;
    double first = 1e35, last = 0;
    for (int i = 0; i < used; ++i) {
        first = std::min(first, operations.at(i).start);
        last = std::max(last, operations.at(i).end);
    }
    summary.cycleTime = used > 0 ? last - first : 0;
    if (!balance) {
        summary.batchSize = summary.keyInputBatchSize = 0;
        return summary;
    }
    if (used == operations.size() && wholeRunSizes.batchSize != 1e35) {
        const double cycleTime = summary.cycleTime;
        summary = wholeRunSizes;
        summary.cycleTime = cycleTime;
        return summary;
    }
    const EngineBalanceFigures figures = RunEngineBalance(*balance, operations, used);
    summary.batchSize = figures.batchSize;
    summary.keyInputBatchSize = figures.keyInput;
    summary.maxBatchSize = figures.maxBatchSize;
    summary.minBatchSize = figures.minBatchSize;
    return summary;
}

double EngineSchedule::KeyOutputMolecularWeight() const
{
    return balance ? balance->materials.MolecularWeight(balance->keyOutputID) : DEFAULT_MOLECULAR_WEIGHT;
}
