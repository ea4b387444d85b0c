#include "modules/engine/EnginePlanDetail.h"

#include "foundation/common/UnitConversion.h"
#include "foundation/common/concerns/AppContext.h"
#include "foundation/db/connection/DaoDatabase.h"
#include "foundation/db/connection/DaoException.h"
#include "foundation/db/connection/SharedDatabases.h"
#include "modules/engine/EngineEntry.h"
#include "modules/engine/EnginePlanBooking.h"
#include "modules/engine/EngineStepSchedule.h"

#include <QHash>
#include <QSet>
#include <QSqlQuery>
#include <QVariant>
#include <cmath>
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
                       "BatchTimeIntervalUOM, PlantID FROM QryProductionPlanDetail WHERE PlanID = ? "
                       "ORDER BY LineItemID"),
        {qlonglong(planID)});
    QList<QVariant> starts;
    while (rows.next()) {
        EnginePlanDetailRow row;
        row.stepID = long(rows.value(0).toLongLong());
        row.requirementID = long(rows.value(1).toLongLong());
        row.overlap = rows.value(2).toDouble() != 0;
        row.interval = IntervalSeconds(rows.value(4), rows.value(5).toString());
        row.plantID = long(rows.value(6).toLongLong());
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

// The step transitions of each process requirement of the plan.
void ReadStepTransitions(CDaoDatabase& project, long planID, EnginePlanRows& plan)
{
    QSqlQuery rows = project.Query(
        QStringLiteral("SELECT r.RequirementID, t.FromStepID, t.ToStepID FROM PlanRequirements r "
                       "JOIN StepTransition t ON t.ProcessID = r.StepOrProcessID "
                       "WHERE r.PlanID = ? AND r.StepOrProcess = 'process' COLLATE NOCASE"),
        {qlonglong(planID)});
    while (rows.next())
        plan.stepTransitions[long(rows.value(0).toLongLong())].append(
            {long(rows.value(1).toLongLong()), long(rows.value(2).toLongLong())});
}

QString UnitProcedureName(long stepID, long unitProcedureID)
{
    CDaoDatabase* step = GetStepDatabase(stepID);
    QSqlQuery row = step->Query(
        QStringLiteral("SELECT UnitProcedureName FROM UnitProcedure WHERE UnitProcedureID = ?"),
        {qlonglong(unitProcedureID)});
    return row.next() ? row.value(0).toString() : QString::number(unitProcedureID);
}

// The tag of an item that belongs to another facility than `plantID`; empty when it does not.
QString TagOutsideFacility(long equipmentID, long plantID)
{
    CDaoDatabase* equipment = GetSharedEquipmentDB();
    if (!equipment || plantID <= 0)
        return {};
    QSqlQuery row = equipment->Query(
        QStringLiteral("SELECT QVTag, PlantID FROM ActualEquipmentCommon WHERE ActualEquipmentID = ?"),
        {qlonglong(equipmentID)});
    const bool outside = row.next() && !row.value(1).isNull() && row.value(1).toLongLong() != plantID;
    return outside ? row.value(0).toString() : QString();
}

// Why a step that runs alone cannot be booked on the plant of its row's facility; empty when it can.
QString UnbookableReason(const EngineSchedule& schedule, long plantID)
{
    QSet<long> checked;
    for (const EngineScheduledOperation& operation : schedule.operations) {
        if (operation.equipmentID == 0)
            return QStringLiteral("unit procedure %1 has no equipment")
                .arg(UnitProcedureName(schedule.stepID, operation.unitProcedureID));
        if (checked.contains(operation.equipmentID))
            continue;
        checked.insert(operation.equipmentID);
        const QString tag = TagOutsideFacility(operation.equipmentID, plantID);
        if (!tag.isEmpty())
            return QStringLiteral("equipment %1 is outside the plan's facility").arg(tag);
    }
    const double size = schedule.wholeRunSizes.batchSize;
    if (schedule.balance && !(std::isfinite(size) && size < UNSET_VALUE))
        return QStringLiteral("its batch size has no figure");
    return {};
}

// The step's schedule, or null with the reason.
std::shared_ptr<const EngineSchedule> BookableSchedule(const EnginePlanDetailRow& row,
                                                       const EngineBalanceSettings& settings, QString& reason)
{
    auto schedule = std::make_shared<EngineSchedule>();
    if (!ReadAndScheduleEngineStep(row.stepID, settings, *schedule, &reason))
        return nullptr;
    reason = UnbookableReason(*schedule, row.plantID);
    return reason.isEmpty() ? schedule : nullptr;
}

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
        ReadStepTransitions(projectDatabase, planID, plan);
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
    return [plan](QList<EnginePlanBatch>& batches) { return CEnginePlanBooking(plan).Book(batches); };
}

void DropUnschedulableRows(CDaoDatabase& projectDatabase, EnginePlanRows& plan,
                           QList<EnginePlanBatch>& batches, QList<ResultsRemark>& remarks,
                           const EngineBalanceSettings& settings)
{
    QHash<long, std::shared_ptr<const EngineSchedule>> schedules;
    QList<EnginePlanDetailRow> kept;
    for (const EnginePlanDetailRow& row : std::as_const(plan.rows)) {
        if (!schedules.contains(row.stepID)) {
            QString reason;
            const auto schedule = BookableSchedule(row, settings, reason);
            schedules.insert(row.stepID, schedule);
            if (!schedule)
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
