#include "planning/PlanReportSources.h"

#include "foundation/common/MessageBox.h"
#include "foundation/db/connection/DaoException.h"
#include "foundation/db/equipment/PlantToProjectSet.h"
#include "foundation/db/project/PPDetailSet.h"
#include "foundation/db/step/StepSet.h"
#include "planning/PlanReportFiles.h"
#include "simulation/PlanRequirementCalculator.h"

#include <QHash>
#include <optional>

namespace {

PlanReportStep ReportStepOf(const PlanFactorItem& item)
{
    PlanReportStep step;
    step.StepName = item.StepName;
    step.BatchSize = item.BatchSize;
    step.NumberOfBatches = item.NumberOfBatches;
    step.CleaningFlag = item.CleaningFlag;
    step.Input2ID = item.Input2ID;
    step.Input3ID = item.Input3ID;
    step.Output2ID = item.Output2ID;
    step.Output3ID = item.Output3ID;
    step.KeyInputName = item.KeyInputName;
    step.Input2Name = item.Input2Name;
    step.Input3Name = item.Input3Name;
    step.KeyOutputName = item.KeyOutputName;
    step.Output2Name = item.Output2Name;
    step.Output3Name = item.Output3Name;
    step.KeyInputMW = item.KeyInputMW;
    step.Input2MW = item.Input2MW;
    step.Input3MW = item.Input3MW;
    step.KeyOutputMW = item.KeyOutputMW;
    step.Output2MW = item.Output2MW;
    step.Output3MW = item.Output3MW;
    step.KeyInputFactor = item.KeyInputFactor;
    step.Input2Factor = item.Input2Factor;
    step.Input3Factor = item.Input3Factor;
    step.KeyOutputFactor = item.KeyOutputFactor;
    step.Output2Factor = item.Output2Factor;
    step.Output3Factor = item.Output3Factor;
    return step;
}

struct SequenceStepName {
    QString name, version;
};

// Names of the steps and facilities of the detail rows, each looked up once.
class SequenceNameCache {
public:
    std::optional<SequenceStepName> StepName(long stepID)
    {
        auto found = m_steps.constFind(stepID);
        if (found == m_steps.constEnd())
            found = m_steps.insert(stepID, ReadStepName(stepID));
        return *found;
    }

    QString PlantName(long plantID)
    {
        if (!m_plantsRead)
            ReadPlants();
        return m_plants.value(plantID);
    }

private:
    static std::optional<SequenceStepName> ReadStepName(long stepID)
    {
        CStepSet step;
        step.SetErrorMode(DaoErrorMode::Quiet);
        if (!step.OpenSet(stepID) || step.IsEOF())
            return std::nullopt;
        return SequenceStepName{step.GetText(QStringLiteral("StepName")),
                                step.GetText(QStringLiteral("StepVersionName"))};
    }

    // The first [Plant-To-Project] row of each facility; none when the set does not open.
    void ReadPlants()
    {
        m_plantsRead = true;
        CPlantToProjectSet plants;
        plants.SetErrorMode(DaoErrorMode::Quiet);
        if (!plants.OpenSet())
            return;
        for (plants.MoveFirst(); !plants.IsEOF(); plants.MoveNext()) {
            const long id = plants.GetLong(QStringLiteral("PlantID"));
            if (!m_plants.contains(id))
                m_plants.insert(id, plants.GetText(QStringLiteral("PlantName")));
        }
    }

    QHash<long, std::optional<SequenceStepName>> m_steps;
    QHash<long, QString> m_plants;
    bool m_plantsRead = false;
};

} // namespace

PlanReportRequirement ReportRequirementOf(const PlanRequirementCalculator& calculator)
{
    PlanReportRequirement requirement;
    requirement.Kind = calculator.Kind;
    requirement.RequiredAmount = calculator.RequiredAmount;
    requirement.MolecularWeight = calculator.MolecularWeight;
    requirement.ProductName = calculator.ProductName;
    requirement.ProcessName = calculator.ProcessName;
    requirement.ProcessVersionName = calculator.ProcessVersionName;
    requirement.StepName = calculator.StepName;
    requirement.StepVersionName = calculator.StepVersionName;
    for (const PlanFactorItem& item : calculator.Items)
        requirement.Items.append(ReportStepOf(item));
    return requirement;
}

QList<PlanSequenceRow> ReadPlanSequenceRows(long planID)
{
    CPPDetailSet details;
    details.SetErrorMode(DaoErrorMode::Propagate);
    details.OpenSet(planID);
    SequenceNameCache names;
    QList<PlanSequenceRow> rows;
    for (details.MoveFirst(); !details.IsEOF(); details.MoveNext()) {
        PlanSequenceRow row;
        if (const auto step = names.StepName(details.GetLong(QStringLiteral("StepID")))) {
            row.StepFound = true;
            row.StepName = step->name;
            row.StepVersionName = step->version;
        }
        row.Overlap = details.GetBool(QStringLiteral("Overlap"));
        row.PlantName = names.PlantName(details.GetLong(QStringLiteral("PlantID")));
        rows.append(row);
    }
    return rows;
}

bool WritePlanReportFilesOf(long planID, const QList<PlanRequirementCalculator*>& calculators)
{
    QList<PlanReportRequirement> requirements;
    for (const PlanRequirementCalculator* calculator : calculators)
        requirements.append(ReportRequirementOf(*calculator));
    QList<PlanSequenceRow> sequence;
    try {
        sequence = ReadPlanSequenceRows(planID);
    } catch (const CDaoException& error) {
        QvMessageBox(error.GetErrorDescription());
        return false;
    }
    return WritePlanReportFiles(planID, requirements, sequence);
}
