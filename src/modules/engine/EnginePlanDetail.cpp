#include "modules/engine/EnginePlanDetail.h"

#include "foundation/common/AppContext.h"
#include "foundation/common/UnitConversion.h"
#include "foundation/db/DaoDatabase.h"
#include "foundation/db/DaoException.h"
#include "modules/engine/EngineEntry.h"
#include "modules/engine/EngineStepSchedule.h"

#include <QHash>
#include <QSqlQuery>
#include <QVariant>
#include <limits>

namespace {

constexpr double kSecondsPerDay = 86400.0;

bool IsSetNumber(const QVariant& value)
{
    return !value.isNull() && value.toDouble() < UNSET_VALUE;
}

// The plan's StartDateTime; the earliest row start when it has none; NaN without either.
double PlanOrigin(const QVariant& planStart, const QList<QVariant>& rowStarts)
{
    if (IsSetNumber(planStart))
        return planStart.toDouble();
    double origin = std::numeric_limits<double>::quiet_NaN();
    for (const QVariant& start : rowStarts) {
        if (IsSetNumber(start) && !(start.toDouble() >= origin))
            origin = start.toDouble();
    }
    return origin;
}

double IntervalSeconds(const QVariant& interval, const QString& unit)
{
    return IsSetNumber(interval) ? UserToInternal(unit, interval.toDouble(), 0, 0) : 0;
}

void ReadDetailRows(CDaoDatabase& project, long planID, const QVariant& planStart, EnginePlanRows& plan)
{
    QSqlQuery rows = project.Query(
        QStringLiteral("SELECT StepID, RequirementID, Overlap, EarliestStartTime, BatchTimeInterval, "
                       "BatchTimeIntervalUOM FROM QryProductionPlanDetail WHERE PlanID = ? ORDER BY LineItemID"),
        {qlonglong(planID)});
    QList<QVariant> starts;
    while (rows.next()) {
        EnginePlanDetailRow row;
        row.stepID = long(rows.value(0).toLongLong());
        row.requirementID = long(rows.value(1).toLongLong());
        row.overlap = rows.value(2).toDouble() != 0;
        row.interval = IntervalSeconds(rows.value(4), rows.value(5).toString());
        starts.append(rows.value(3));
        plan.rows.append(row);
    }
    const double origin = PlanOrigin(planStart, starts);
    for (qsizetype i = 0; i < plan.rows.size(); ++i) {
        if (IsSetNumber(starts.at(i)) && !std::isnan(origin))
            plan.rows[i].earliestStart = (starts.at(i).toDouble() - origin) * kSecondsPerDay;
    }
}

QString StepRemarkText(CDaoDatabase& project, long stepID, const QString& reason)
{
    QSqlQuery row =
        project.Query(QStringLiteral("SELECT StepName, StepVersionName FROM ProjectStep WHERE StepID = ?"),
                      {qlonglong(stepID)});
    const bool found = row.next();
    return UnschedulableStepRemarkText(found ? row.value(0).toString() : QString::number(stepID),
                                       found ? row.value(1).toString() : QString(), reason);
}

// Places the batches one after another by the start rule; keeps the equipment releases.
class DetailPlacement {
public:
    explicit DetailPlacement(const EnginePlanRows& plan) : m_plan(plan) {}

    bool Place(QList<EnginePlanBatch>& batches)
    {
        if (batches.size() != m_plan.rows.size())
            return false;
        for (qsizetype i = 0; i < batches.size(); ++i) {
            PlaceEnginePlanBatch(batches[i], Start(batches, i));
            Release(batches.at(i));
            m_lastOfCampaign.insert(m_plan.rows.at(i).requirementID, i);
        }
        return true;
    }

private:
    double Start(const QList<EnginePlanBatch>& batches, qsizetype index) const
    {
        const EnginePlanDetailRow& row = m_plan.rows.at(index);
        double start = std::max(0.0, row.earliestStart);
        const qsizetype reference = m_lastOfCampaign.value(row.requirementID, index - 1);
        if (reference >= 0) {
            const EnginePlanBatch& before = batches.at(reference);
            start = std::max(start, before.starts.isEmpty() ? 0.0 : BatchStart(before) + row.interval);
            if (!row.overlap)
                start = std::max(start, EnginePlanBatchEnd(before));
        }
        for (const EngineScheduledOperation& operation : batches.at(index).schedule->operations) {
            if (m_released.contains(operation.equipmentID))
                start = std::max(start, m_released.value(operation.equipmentID));
        }
        return start;
    }

    static double BatchStart(const EnginePlanBatch& batch)
    {
        double start = batch.starts.front();
        for (double value : batch.starts)
            start = std::min(start, value);
        return start;
    }

    void Release(const EnginePlanBatch& batch)
    {
        const QList<EngineScheduledOperation>& operations = batch.schedule->operations;
        for (qsizetype i = 0; i < operations.size(); ++i) {
            const long equipment = operations.at(i).equipmentID;
            if (equipment != 0 && m_plan.sharedEquipment.contains(equipment))
                m_released.insert(equipment, std::max(m_released.value(equipment), batch.ends.at(i)));
        }
    }

    EnginePlanRows m_plan;
    QHash<long, qsizetype> m_lastOfCampaign;
    QHash<long, double> m_released;
};

} // namespace

bool ReadEnginePlanRows(CDaoDatabase& projectDatabase, long planID, EnginePlanRows& plan)
{
    plan = EnginePlanRows();
    try {
        QSqlQuery planRow = projectDatabase.Query(
            QStringLiteral("SELECT StartDateTime FROM ProductionPlan WHERE PlanID = ?"), {qlonglong(planID)});
        if (!planRow.next())
            return false;
        ReadDetailRows(projectDatabase, planID, planRow.value(0), plan);
        QSqlQuery shared = projectDatabase.Query(
            QStringLiteral("SELECT DISTINCT EquipmentID FROM SharedExclusiveEquipment WHERE PlanID = ? "
                           "AND EquipmentID IS NOT NULL ORDER BY EquipmentID"),
            {qlonglong(planID)});
        while (shared.next())
            plan.sharedEquipment.append(long(shared.value(0).toLongLong()));
        return true;
    } catch (const CDaoException&) {
        return false;
    }
}

QList<EnginePlanBatch> EnginePlanDetailBatches(const EnginePlanRows& plan)
{
    QList<EnginePlanBatch> batches;
    for (const EnginePlanDetailRow& row : plan.rows) {
        EnginePlanBatch batch;
        batch.stepID = row.stepID;
        batch.batchNumber = long(batches.size()) + 1;
        batches.append(batch);
    }
    return batches;
}

EnginePlanPlacement EnginePlanDetailPlacement(const EnginePlanRows& plan)
{
    return [plan](QList<EnginePlanBatch>& batches) { return DetailPlacement(plan).Place(batches); };
}

void DropUnschedulableRows(CDaoDatabase& projectDatabase, EnginePlanRows& plan,
                           QList<EnginePlanBatch>& batches, QList<ResultsRemark>& remarks,
                           const EngineBalanceSettings& settings)
{
    QHash<long, std::shared_ptr<const EngineSchedule>> schedules;
    QList<EnginePlanDetailRow> kept;
    for (const EnginePlanDetailRow& row : std::as_const(plan.rows)) {
        if (!schedules.contains(row.stepID)) {
            auto schedule = std::make_shared<EngineSchedule>();
            QString reason;
            const bool scheduled = ReadAndScheduleEngineStep(row.stepID, settings, *schedule, &reason);
            schedules.insert(row.stepID, scheduled ? schedule : nullptr);
            if (!scheduled)
                remarks.append({row.stepID, 0, REMARK_STEP_NOT_SCHEDULABLE, QStringLiteral("Error"),
                                StepRemarkText(projectDatabase, row.stepID, reason), 0});
        }
        if (schedules.value(row.stepID))
            kept.append(row);
    }
    plan.rows = kept;
    batches = EnginePlanDetailBatches(plan);
    for (EnginePlanBatch& batch : batches)
        batch.schedule = schedules.value(batch.stepID);
}

int SimulatePlanByDetailRows(ISimStatus* status, long planID, bool writeResults,
                             const EngineBalanceSettings& settings)
{
    CDaoDatabase* project = GetProjectDatabase();
    EnginePlanRows plan;
    if (!project || !ReadEnginePlanRows(*project, planID, plan))
        return SIMULATION_FAILED;
    QList<EnginePlanBatch> batches;
    QList<ResultsRemark> remarks;
    try {
        DropUnschedulableRows(*project, plan, batches, remarks, settings);
    } catch (const CDaoException&) {
        return SIMULATION_FAILED;
    }
    return RunEnginePlan(status, planID, batches, EnginePlanDetailPlacement(plan), writeResults, settings,
                         remarks);
}
