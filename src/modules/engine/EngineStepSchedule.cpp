#include "modules/engine/EngineStepSchedule.h"

#include "foundation/common/concerns/AppContext.h"
#include "foundation/db/connection/DaoDatabase.h"
#include "foundation/db/connection/DaoException.h"
#include "foundation/db/connection/SharedDatabases.h"
#include "modules/engine/EngineScheduler.h"

#include <QSet>
#include <QSqlQuery>
#include <QVariant>

#include <algorithm>

namespace {

void SetReason(QString* reason, const QString& text)
{
    if (reason)
        *reason = text;
}

std::shared_ptr<EngineBalanceData> BalanceData(const EngineStepModel& model,
                                               const CEngineScheduler& scheduler,
                                               const EngineBalanceSettings& settings)
{
    auto data = std::make_shared<EngineBalanceData>();
    QSet<long> reactionSets;
    for (const EngineOperation& operation : model.operations) {
        if (operation.reactionSetID > 0)
            reactionSets.insert(operation.reactionSetID);
    }
    data->materials.Read(GetSharedMaterialsDB(), reactionSets);
    for (auto it = model.unitProcedures.cbegin(); it != model.unitProcedures.cend(); ++it)
        data->vessels.insert(it.key(), model.vessels.value(it->primaryEquipmentID));
    scheduler.UnitProcedureOrder(data->nextUnitProcedure, data->lastUnitProcedures);
    data->keyInputID = model.keyInputID;
    data->keyOutputID = model.keyOutputID;
    data->settings = settings;
    return data;
}

// Each transfer's receiving vessel: the vessel of the unit procedure its contents move to, where
// that is another vessel than the one it empties.
void SetReceivingVessels(const EngineStepModel& model, const EngineBalanceData& data,
                         QList<EngineScheduledOperation>& operations)
{
    for (EngineScheduledOperation& operation : operations) {
        if (operation.action != EngineBalanceAction::Transfer)
            continue;
        const long target = data.nextUnitProcedure.value(operation.unitProcedureID);
        const long vessel =
            target == operation.unitProcedureID ? 0 : model.unitProcedures.value(target).primaryEquipmentID;
        if (target != 0 && vessel > 0 && vessel != operation.equipmentID) {
            operation.receivingEquipmentID = vessel;
            operation.receivingUnitProcedureID = target;
        }
    }
}

// The capacity remarks joined to the others: by operation in recipe order, then message.
void MergeRemarks(EngineSchedule& schedule, const QList<EngineRemark>& balanceRemarks)
{
    QHash<long, int> position;
    for (int i = 0; i < schedule.operations.size(); ++i)
        position.insert(schedule.operations.at(i).operationID, i);
    schedule.remarks.append(balanceRemarks);
    std::stable_sort(schedule.remarks.begin(), schedule.remarks.end(),
                     [&position](const EngineRemark& a, const EngineRemark& b) {
                         return std::make_pair(position.value(a.operationID), a.messageID) <
                                std::make_pair(position.value(b.operationID), b.messageID);
                     });
}

} // namespace

EngineBalanceSettings ReadEngineBalanceSettings(bool overFlow, bool underFlow)
{
    EngineBalanceSettings settings;
    settings.overFlow = overFlow;
    settings.underFlow = underFlow;
    CDaoDatabase* project = GetProjectDatabase();
    if (!project || !underFlow)
        return settings;
    try {
        QSqlQuery rows = project->Query(QStringLiteral(
            "SELECT OperationID FROM MinimumBatchSizeOptions WHERE CurrentCheckForMinimumBatchSize <> 0"));
        while (rows.next())
            settings.minimumTypes.append(long(rows.value(0).toLongLong()));
    } catch (const CDaoException&) {
        settings.minimumTypes.clear();
    }
    return settings;
}

bool ScheduleEngineStep(const EngineStepModel& model, const EngineBalanceSettings& settings,
                        EngineSchedule& schedule, QString* reason)
{
    CEngineScheduler scheduler(model);
    if (!scheduler.Schedule(schedule)) {
        SetReason(reason, QStringLiteral("its transitions form a cycle"));
        return false;
    }
    auto data = BalanceData(model, scheduler, settings);
    PrepareBalanceActions(model, data->materials, schedule.operations);
    SetReceivingVessels(model, *data, schedule.operations);
    schedule.balance = data;
    const EngineBalanceFigures figures = RunEngineBalance(*data, schedule.operations);
    schedule.wholeRunSizes = {figures.batchSize, figures.keyInput, 1e35, figures.maxBatchSize,
                              figures.minBatchSize};
    if (!figures.remarks.isEmpty())
        MergeRemarks(schedule, figures.remarks);
    return true;
}

bool ReadAndScheduleEngineStep(long stepID, const EngineBalanceSettings& settings, EngineSchedule& schedule,
                               QString* reason)
{
    CDaoDatabase* database = GetStepDatabase(stepID);
    if (!database) {
        SetReason(reason, QStringLiteral("its step database is not open"));
        return false;
    }
    try {
        const EngineStepModel model = CEngineStepReader(*database).Read(stepID);
        if (!ScheduleEngineStep(model, settings, schedule, reason))
            return false;
    } catch (const CDaoException& error) {
        SetReason(reason, error.GetErrorDescription());
        return false;
    }
    if (schedule.operations.isEmpty()) {
        SetReason(reason, QStringLiteral("it has no transitions to run"));
        return false;
    }
    return true;
}
