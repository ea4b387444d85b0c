#include "simulation/SimSequenceBuilder.h"

#include "foundation/common/ServiceSlot.h"
#include "foundation/common/UnitConversion.h"
#include "foundation/common/concerns/SubsystemConcerns.h"
#include "foundation/db/connection/DaoException.h"
#include "foundation/db/project/PlanRequirementsSet.h"
#include "foundation/db/project/ProcessSet.h"
#include "foundation/db/project/StepToProcessSet.h"
#include "modules/engine/EngineEntry.h"
#include "simulation/PlanRequirementCalculator.h"

#include <cmath>
#include <memory>

namespace {
const char* const ESTIMATED_BATCHES =
    "The number of batches for %1 %2 was not specified in production plan dialog.\r\nThe number of batches "
    "has been estimated to be %3 based on the last calculated batch size of %4 kg";
const char* const PROCESS_NOT_ESTIMATED =
    "Warning: The number of batches for process %1 was not specified in production plan dialog and the batch "
    "size could not be estimated.\r\nRun the process %1 simulation to view the process in the sequence dialog.";
const char* const STEP_NOT_ESTIMATED =
    "Warning: The number of batches for step %1 was not specified in production plan dialog and the batch "
    "size could not be estimated.\rRun the step %1 simulation to view the step in the sequence dialog.";
const char* const BATCHES_LIMITED =
    "The number of batches for %1 %2 was limited to 30 batches for defining the simulation sequence.";

bool IsBatchesUom(const QString& uom)
{
    return uom.compare(QLatin1String("batches"), Qt::CaseInsensitive) == 0;
}
} // namespace

double SimSequenceBatchCountOf(double total)
{
    if (!(total > 0.0))
        return 0.0;
    double n = std::floor(total + 0.5);
    if (total - n > 1e-6)
        n = std::floor(total + 1.0);
    return n;
}

QString SimSequenceColumnLabel(const SimSequenceStepRecipe& recipe, int batch)
{
    return QStringLiteral("%1 (%2) Batch %3").arg(recipe.stepName, recipe.stepVersionName).arg(batch);
}

const SimSequenceStepRecipe& CSimSequenceBuilder::Recipe(long stepID)
{
    auto found = m_recipes.find(stepID);
    if (found == m_recipes.end())
        found = m_recipes.insert(stepID, ReadSimSequenceStepRecipe(stepID));
    return *found;
}

QList<CSimSequenceBuilder::Requirement> CSimSequenceBuilder::ReadRequirements() const
{
    QList<Requirement> requirements;
    CPlanRequirementsSet rows;
    if (!rows.OpenSet(m_planID))
        return requirements;
    for (; !rows.IsEOF(); rows.MoveNext()) {
        requirements.append({rows.GetLong(QStringLiteral("RequirementID")), rows.GetLong(QStringLiteral("StepOrProcessID")),
                             rows.GetText(QStringLiteral("StepOrProcess")).compare(QLatin1String("process"),
                                                                                   Qt::CaseInsensitive) == 0,
                             rows.GetDouble(QStringLiteral("Quantity")), rows.GetText(QStringLiteral("QuantityUOM"))});
    }
    return requirements;
}

QList<long> CSimSequenceBuilder::ProcessSteps(long processID) const
{
    QList<long> steps;
    CStepToProcessSet rows;
    if (!rows.OpenSet(processID))
        return steps;
    for (; !rows.IsEOF(); rows.MoveNext()) {
        if (rows.GetText(QStringLiteral("StepName")).compare(QLatin1String("START"), Qt::CaseInsensitive) != 0)
            steps.append(rows.GetLong(QStringLiteral("StepID")));
    }
    return steps;
}

QString CSimSequenceBuilder::ProcessName(long processID) const
{
    CProcessSet rows;
    if (!rows.OpenSet())
        return QString();
    const bool found = rows.FindFirst(
        [processID](const CDaoRecordset& row) { return row.GetLong(QStringLiteral("ProcessID")) == processID; });
    return found ? rows.GetText(QStringLiteral("ProcessName")) : QString();
}

double CSimSequenceBuilder::BatchSize(const Requirement& requirement)
{
    if (requirement.isProcess)
        return PlanRequirementCalculator(m_planID, requirement.requirementID, QStringLiteral("Process"))
            .GetFinalStepBatchSize(requirement.targetID);
    EngineFactory* factory = ServiceSlot<EngineFactory>::Get();
    const std::unique_ptr<EngineEntry> engine(factory ? factory->CreateEngineEntry() : nullptr);
    return engine ? engine->getCurrentBatchSizeInKg(requirement.targetID) : UNSET_VALUE;
}

// The requirement's batches, capped at 30; its messages appended.
int CSimSequenceBuilder::BatchCount(const Requirement& requirement, QStringList& messages)
{
    const QString kind = QString::fromLatin1(requirement.isProcess ? "process" : "step");
    const QString name = requirement.isProcess ? ProcessName(requirement.targetID) : Recipe(requirement.targetID).stepName;
    double n = 0;
    if (IsBatchesUom(requirement.uom)) {
        n = SimSequenceBatchCountOf(requirement.quantity);
    } else {
        const double size = BatchSize(requirement);
        if (!(size > 0.0) || size >= UNSET_VALUE) {
            messages << QString::fromLatin1(requirement.isProcess ? PROCESS_NOT_ESTIMATED : STEP_NOT_ESTIMATED).arg(name);
            return 0;
        }
        n = SimSequenceBatchCountOf(UserToInternal(requirement.uom, requirement.quantity, 0.0, 0.0) / size);
        messages << QString::fromLatin1(ESTIMATED_BATCHES)
                        .arg(kind, name, QString::number(n, 'f', 0), QString::number(size, 'f', 2));
    }
    if (n > SIM_SEQUENCE_MAX_BATCHES) {
        messages << QString::fromLatin1(BATCHES_LIMITED).arg(kind, name);
        n = SIM_SEQUENCE_MAX_BATCHES;
    }
    return int(n);
}

void CSimSequenceBuilder::AddBatchColumn(long stepID, SimSequenceBuild& build)
{
    const SimSequenceStepRecipe& recipe = Recipe(stepID);
    if (recipe.operations.isEmpty())
        return; // a step without a visible operation gets no column
    const int batch = ++m_batchesOfStep[stepID];
    const int position = int(build.columns.size()) + 1;
    build.columns.append({batch, stepID, int(recipe.operations.size()), SimSequenceColumnLabel(recipe, batch)});
    for (const SimSequenceOperation& operation : recipe.operations)
        build.records.append({position, stepID, operation.unitProcedureID, operation.operationID, operation.text});
}

SimSequenceBuild CSimSequenceBuilder::BuildFromPlan()
{
    SimSequenceBuild build;
    m_batchesOfStep.clear();
    QStringList messages;
    try {
        for (const Requirement& requirement : ReadRequirements()) {
            const int batches = BatchCount(requirement, messages);
            const QList<long> steps = requirement.isProcess ? ProcessSteps(requirement.targetID)
                                                            : QList<long>{requirement.targetID};
            for (int b = 1; b <= batches; ++b) {
                for (long step : steps)
                    AddBatchColumn(step, build);
            }
        }
    } catch (const CDaoException&) {
        // What was read so far stays.
    }
    build.messages = messages.join(QStringLiteral("\r\n\r\n"));
    return build;
}

bool CSimSequenceBuilder::BuildFromLines(const QList<SimSequenceLine>& lines, SimSequenceBuild& build)
{
    build = {};
    m_batchesOfStep.clear();
    if (!SimSequenceMatchesSteps(lines, [this](long stepID) { return Recipe(stepID).operations; }))
        return false;
    for (long stepID : SimSequenceColumnSteps(lines)) {
        const SimSequenceStepRecipe& recipe = Recipe(stepID);
        const int batch = ++m_batchesOfStep[stepID];
        build.columns.append({batch, stepID, int(recipe.operations.size()), SimSequenceColumnLabel(recipe, batch)});
    }
    for (const SimSequenceLine& line : lines) {
        const SimSequenceStepRecipe& recipe = Recipe(line.stepID);
        const auto op = std::find_if(recipe.operations.begin(), recipe.operations.end(),
                                     [&](const SimSequenceOperation& o) { return o.operationID == line.operationID; });
        build.records.append({line.column, line.stepID, line.unitProcedureID, line.operationID, op->text});
    }
    return true;
}
