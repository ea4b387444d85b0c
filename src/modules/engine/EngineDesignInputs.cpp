#include "modules/engine/EngineDesignInputs.h"

#include "foundation/common/UnitConversion.h"
#include "foundation/common/concerns/AppContext.h"
#include "foundation/db/connection/DaoDatabase.h"
#include "foundation/db/connection/DaoException.h"
#include "foundation/db/content/OperationParameters.h"
#include "foundation/db/connection/SharedDatabases.h"
#include "foundation/db/material/MaterialPropertySet.h"
#include "modules/engine/EngineScheduler.h"
#include "modules/engine/EngineStepModel.h"
#include "modules/engine/EngineStepSchedule.h"

#include <QFileInfo>
#include <QSet>
#include <QSqlQuery>
#include <algorithm>

namespace {

constexpr double DESIGN_INPUT_UNSET = 1e35;
constexpr long MOLECULAR_WEIGHT_PROPERTY = 1;

// The table's molar units count from kmol.
constexpr const char* MOLAR_UNITS[] = {"kmol", "kmole", "gmol", "gmole", "lbmol", "lbmole", "mol", "mmole"};

bool IsMolarUnit(const QString& uom)
{
    return std::any_of(std::begin(MOLAR_UNITS), std::end(MOLAR_UNITS), [&uom](const char* name) {
        return uom.compare(QLatin1String(name), Qt::CaseInsensitive) == 0;
    });
}

QList<long> ReadLastResults(long stepID, EngineDesignInputs& inputs)
{
    CResultsDatabase results;
    const QString path = ResultsFilePath(GetProjectDir(), StepResultsFileName(stepID));
    if (!results.Open(path)) {
        inputs.resultsUnreadable = QFileInfo::exists(path);
        return {};
    }
    inputs.lastRun = results.Summary();
    inputs.schedule = results.Schedule(stepID);
    for (const ResultsRemark& remark : results.StepRemarks(stepID)) // the design's own balance
        if (remark.operationID != 0 && remark.messageID != REMARK_DENSITY_ASSUMED) // says these again
            inputs.remarks.append(remark);
    const QList<long> used = results.EquipmentUsed(stepID);
    if (!results.ReadFailed())
        return used;
    inputs.resultsUnreadable = true; // as if there were no results, and nothing written over them
    inputs.lastRun = {};
    inputs.schedule.clear();
    inputs.remarks.clear();
    return {};
}

DesignTargets ReadDesignTargets(long stepID)
{
    CDesignSpecsSet specs;
    DesignTargets targets;
    if (specs.OpenSet(stepID))
        targets = specs.Targets();
    specs.CloseSet();
    return targets;
}

// The peak volume of each unit procedure's contents in the step's material balance (l); none when
// the step cannot be scheduled or its materials cannot be read. The balance's remarks of a
// material whose volume takes the default density go to `assumed`.
QHash<long, double> BalancePeaks(const EngineStepModel& model, QList<ResultsRemark>& assumed)
{
    try {
        EngineSchedule schedule;
        if (!ScheduleEngineStep(model, ReadEngineBalanceSettings(false, false), schedule) ||
            !schedule.balance)
            return {};
        const EngineBalanceFigures figures = RunEngineBalance(*schedule.balance, schedule.operations);
        for (const EngineRemark& remark : figures.remarks)
            if (remark.messageID == REMARK_DENSITY_ASSUMED)
                assumed.append({model.stepID, remark.operationID, remark.messageID, {}, remark.text});
        return figures.fullestLitres;
    } catch (const CDaoException&) {
        return {};
    }
}

// Each used item's peak volume: the fullest its contents get in the balance, or an operation's
// stated volume where that is larger.
QHash<long, double> ItemPeaks(const EngineStepModel& model, const QList<long>& used,
                              QList<ResultsRemark>& assumed)
{
    QHash<long, double> peaks;
    for (long id : used)
        peaks.insert(id, 0.0);
    const auto raise = [&peaks](long equipment, double litres) {
        if (peaks.contains(equipment) && litres != DESIGN_INPUT_UNSET)
            peaks[equipment] = std::max(peaks.value(equipment), litres);
    };
    const QHash<long, double> contents = BalancePeaks(model, assumed);
    for (auto it = contents.cbegin(); it != contents.cend(); ++it)
        raise(model.unitProcedures.value(it.key()).primaryEquipmentID, it.value());
    for (const EngineOperation& operation : model.operations)
        raise(model.unitProcedures.value(operation.unitProcedureID).primaryEquipmentID,
              OperationVolume(operation));
    return peaks;
}

// The uses of the items in `used`, their peak volumes, and the unit procedures on them.
void ReadUses(long stepID, const QList<long>& used, const QSet<long>& fixed, EngineDesignInputs& inputs)
{
    QHash<long, double> peaks;
    if (CDaoDatabase* database = GetStepDatabase(stepID)) {
        const EngineStepModel model = CEngineStepReader(*database).Read(stepID);
        peaks = ItemPeaks(model, used, inputs.remarks);
        for (auto it = model.unitProcedures.cbegin(); it != model.unitProcedures.cend(); ++it)
            if (peaks.contains(it->primaryEquipmentID))
                inputs.unitProcedures.append({it.key(), it->primaryEquipmentID});
    }
    std::sort(inputs.unitProcedures.begin(), inputs.unitProcedures.end(),
              [](const DesignUnitProcedure& a, const DesignUnitProcedure& b) {
                  return a.unitProcedureID < b.unitProcedureID;
              });
    for (long id : used)
        inputs.uses.append({id, peaks.value(id), fixed.contains(id), id, DESIGN_INPUT_UNSET, 0.0});
}

QHash<long, DesignVessel> ReadVesselCatalogue()
{
    QHash<long, DesignVessel> vessels;
    CDaoDatabase* equipment = GetSharedEquipmentDB();
    if (!equipment)
        return vessels;
    QSqlQuery rows = equipment->Query(QStringLiteral("SELECT ActualEquipmentID, EquipmentClassID, PlantID, "
                                                     "Capacity, CapacityUOM, MinimumVolume, MinimumVolumeUOM "
                                                     "FROM ActualEquipmentCommon"));
    const auto litres = [&rows](int value) {
        return rows.value(value).isNull() ? DESIGN_INPUT_UNSET
                                          : ToEngineUnit(OperationField::Volume, rows.value(value).toDouble(),
                                                         rows.value(value + 1).toString());
    };
    while (rows.next()) {
        const long id = long(rows.value(0).toLongLong());
        const long classID = rows.value(1).isNull() ? -1 : long(rows.value(1).toLongLong());
        const long plantID = rows.value(2).isNull() ? -1 : long(rows.value(2).toLongLong());
        vessels.insert(id, {id, classID, plantID, litres(3), litres(5)});
    }
    return vessels;
}

double KeyOutputMolecularWeight(long stepID)
{
    CDaoDatabase* database = GetStepDatabase(stepID);
    if (!database)
        return DESIGN_INPUT_UNSET;
    QSqlQuery step = database->Query(
        QStringLiteral("SELECT KeyOutputIntermediateID FROM Step WHERE StepID = ?"), {qlonglong(stepID)});
    if (!step.next() || step.value(0).isNull())
        return DESIGN_INPUT_UNSET;
    CMaterialPropertySet* properties = CMaterialPropertySet::Instance();
    properties->SetErrorMode(DaoErrorMode::Quiet);
    return properties->ReadDoubleValue(long(step.value(0).toLongLong()), MOLECULAR_WEIGHT_PROPERTY);
}

bool HasBatchResults(const ResultsRunSummary& run)
{
    return run.batchSize != DESIGN_INPUT_UNSET && run.batchSize > 0 && run.cycleTime != DESIGN_INPUT_UNSET &&
           run.cycleTime > 0;
}

bool AboveZero(double value)
{
    return value != DESIGN_INPUT_UNSET && value > 0;
}

// The request in kg and s; the first reason it cannot be sized, or 0.
long ConvertRequest(const EngineDesignRequest& request, EngineDesignInputs& inputs)
{
    if (!AboveZero(request.amount) || !AboveZero(request.horizon))
        return REMARK_DESIGN_NOT_ABOVE_ZERO;
    if (!IsOperationFieldUnit(OperationField::Duration, request.horizonUOM))
        return REMARK_DESIGN_UNKNOWN_UNIT;
    inputs.horizonSeconds = UserToInternal(request.horizonUOM, request.horizon, 0, 0);
    bool needsWeight = false;
    double weight = DESIGN_INPUT_UNSET;
    if (IsMolarUnit(request.amountUOM))
        weight = KeyOutputMolecularWeight(request.stepID);
    if (!DesignAmountInKg(request.amount, request.amountUOM, weight, &inputs.amountKg, &needsWeight))
        return needsWeight ? REMARK_DESIGN_NO_MOLECULAR_WEIGHT : REMARK_DESIGN_UNKNOWN_UNIT;
    if (inputs.horizonSeconds < inputs.lastRun.cycleTime)
        return REMARK_DESIGN_HORIZON_BELOW_CYCLE;
    return 0;
}

} // namespace

bool DesignAmountInKg(double amount, const QString& uom, double molecularWeight, double* kg,
                      bool* needsWeight)
{
    *needsWeight = false;
    if (IsOperationFieldUnit(OperationField::Amount, uom)) {
        *kg = UserToInternal(uom, amount, 0, 0); // the mass units count from kg
        return true;
    }
    if (!IsMolarUnit(uom) || GetUnitIndex(uom) < 0)
        return false;
    if (molecularWeight == DESIGN_INPUT_UNSET || !(molecularWeight > 0)) {
        *needsWeight = true;
        return false;
    }
    *kg = UserToInternal(uom, amount, 0, 0) * molecularWeight;
    return true;
}

EngineDesignInputs ReadEngineDesignInputs(const EngineDesignRequest& request)
{
    EngineDesignInputs inputs;
    try {
        const QList<long> used = ReadLastResults(request.stepID, inputs);
        inputs.targets = ReadDesignTargets(request.stepID);
        const QList<long>& fixed = request.fixedEquipment;
        ReadUses(request.stepID, used, QSet<long>(fixed.cbegin(), fixed.cend()), inputs);
        inputs.vessels = ReadVesselCatalogue();
    } catch (const CDaoException&) {
        inputs.lastRun = {};
        inputs.resultsUnreadable = true;
    }
    inputs.problem =
        HasBatchResults(inputs.lastRun) ? ConvertRequest(request, inputs) : REMARK_DESIGN_NO_BATCH_RESULTS;
    return inputs;
}
