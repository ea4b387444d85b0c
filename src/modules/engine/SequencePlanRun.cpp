#include "modules/engine/SequencePlanRun.h"

#include "foundation/common/SimSequenceRecipe.h"
#include "foundation/common/concerns/AppContext.h"
#include "foundation/db/connection/DaoException.h"
#include "foundation/db/project/PlanSet.h"
#include "modules/engine/EngineEntry.h"
#include "modules/engine/EngineScheduler.h"
#include "modules/engine/EngineStepModel.h"

#include <QHash>
#include <algorithm>
#include <optional>

namespace {
QString SequencePlanName(long planID)
{
    CPlanSet plans;
    plans.SetErrorMode(DaoErrorMode::Quiet);
    if (!plans.OpenSet())
        return QString();
    const bool found =
        plans.FindFirst([planID](const CDaoRecordset& row) { return row.GetLong(QStringLiteral("PlanID")) == planID; });
    return found ? plans.GetText(QStringLiteral("PlanName")) : QString();
}

// The file's lines when it exists, is not empty, has no more columns than the plan can have and lists
// each column's step's visible operations.
std::optional<QList<SimSequenceLine>> UsableSequenceLines(long planID)
{
    QList<SimSequenceLine> lines;
    const QString path = UserSimSequenceFilePath(GetWorkingCopyDir(), SequencePlanName(planID), planID);
    if (ReadSimSequenceFile(path, lines, SimSequenceColumnLimit(planID)) != SimSequenceRead::Read ||
        lines.isEmpty())
        return std::nullopt;
    QHash<long, QList<SimSequenceOperation>> operations;
    const bool matches = SimSequenceMatchesSteps(lines, [&operations](long stepID) {
        if (!operations.contains(stepID))
            operations.insert(stepID, ReadSimSequenceStepRecipe(stepID).operations);
        return operations.value(stepID);
    });
    return matches ? std::optional(lines) : std::nullopt;
}

std::optional<EngineSchedule> ScheduleSequenceStep(long stepID)
{
    CDaoDatabase* database = GetStepDatabase(stepID);
    if (!database)
        return std::nullopt;
    try {
        const EngineStepModel model = CEngineStepReader(*database).Read(stepID);
        EngineSchedule schedule;
        if (!CEngineScheduler(model).Schedule(schedule))
            return std::nullopt;
        return schedule;
    } catch (const CDaoException&) {
        return std::nullopt;
    }
}

int SequenceOperationIndex(const EngineSchedule& schedule, long operationID)
{
    for (int i = 0; i < schedule.operations.size(); ++i) {
        if (schedule.operations.at(i).operationID == operationID)
            return i;
    }
    return -1;
}
} // namespace

void ApplySequenceOrder(const QList<SimSequenceLine>& lines, QList<SequencePlanBatch>& batches)
{
    QList<double> shift(batches.size(), 0.0);
    QList<QHash<long, double>> shiftOf(batches.size()); // per batch: operation -> its shift
    int previousColumn = 0;
    double previousStart = 0;
    for (const SimSequenceLine& line : lines) {
        const int b = line.column - 1;
        if (b < 0 || b >= batches.size())
            continue;
        const int index = SequenceOperationIndex(batches.at(b).schedule, line.operationID);
        if (index < 0)
            continue;
        const double start = batches.at(b).schedule.operations.at(index).start;
        if (previousColumn != 0 && previousColumn != line.column)
            shift[b] = std::max(shift.at(b), previousStart - start);
        shiftOf[b].insert(line.operationID, shift.at(b));
        previousColumn = line.column;
        previousStart = start + shift.at(b);
    }
    for (int b = 0; b < batches.size(); ++b) {
        double running = 0;
        for (EngineScheduledOperation& operation : batches[b].schedule.operations) {
            running = std::max(running, shiftOf.at(b).value(operation.operationID, running));
            operation.start += running;
            operation.end += running;
        }
    }
}

int ScheduleSequencePlan(long planID, QList<SequencePlanBatch>& batches, QList<EngineRemark>& remarks)
{
    batches.clear();
    const std::optional<QList<SimSequenceLine>> lines = UsableSequenceLines(planID);
    if (!lines) {
        remarks.append({0, REMARK_SEQUENCE_FILE_UNUSABLE, {}});
        return SIMULATION_FAILED;
    }
    QHash<long, EngineSchedule> schedules;
    const QList<long> steps = SimSequenceColumnSteps(*lines);
    for (int column = 1; column <= steps.size(); ++column) {
        const long stepID = steps.at(column - 1);
        if (!schedules.contains(stepID)) {
            const std::optional<EngineSchedule> schedule = ScheduleSequenceStep(stepID);
            if (!schedule)
                return SIMULATION_FAILED;
            schedules.insert(stepID, *schedule);
        }
        batches.append({stepID, column, schedules.value(stepID)});
    }
    ApplySequenceOrder(*lines, batches);
    return SIMULATION_COMPLETED;
}
