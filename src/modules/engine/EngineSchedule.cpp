#include "modules/engine/EngineSchedule.h"

#include <algorithm>

ResultsRunSummary EngineSchedule::Summary(int count) const
{
    const int used = count < 0 ? int(operations.size()) : std::min(count, int(operations.size()));
    ResultsRunSummary summary;
    summary.batchSize = 0;
    summary.keyInputBatchSize = used > 0 ? operations.first().amount : 0;
    double first = 1e35, last = 0;
    for (int i = 0; i < used; ++i) {
        const EngineScheduledOperation& operation = operations.at(i);
        summary.batchSize += operation.amount;
        first = std::min(first, operation.start);
        last = std::max(last, operation.end);
    }
    summary.cycleTime = used > 0 ? last - first : 0;
    if (maxFactor != 1e35)
        summary.maxBatchSize = summary.batchSize * maxFactor;
    if (minFactor != 1e35)
        summary.minBatchSize = summary.batchSize * minFactor;
    return summary;
}
