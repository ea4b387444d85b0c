// Loading a requirement's process, its step transitions and its steps.

#include "simulation/PlanRequirementCalculator.h"

#include "foundation/common/MessageBox.h"
#include "foundation/db/equipment/PlantSet.h"
#include "foundation/db/project/ProcessSet.h"
#include "foundation/db/project/ProcessStepSet.h"
#include "foundation/db/project/QueryStepInProjectSet.h"
#include "foundation/db/project/StepTransition.h"
#include "foundation/db/step/StepSet.h"
#include "simulation/PlanMaterialLookup.h"

namespace {

const QString PROCESS_NOT_FOUND = QStringLiteral("Could not fnd process in Database!");
const QString STEP_TABLE_EMPTY = QStringLiteral("Step table is empty!");

TransitionRecord TransitionOf(const CStepTransition& row)
{
    TransitionRecord record;
    record.TransitionID = row.GetText(QStringLiteral("StepTransitionID"));
    record.FromID = row.GetLong(QStringLiteral("FromStepID"));
    record.ToID = row.GetLong(QStringLiteral("ToStepID"));
    record.TransitionType = row.GetText(QStringLiteral("TransitionType"));
    return record;
}

bool IsStartRow(const CProcessStepSet& row)
{
    return row.GetText(QStringLiteral("StepName")).compare(QLatin1String("START"), Qt::CaseInsensitive) == 0;
}

// A factor column: 1e35 when Null.
double FactorOf(const CStepSet& step, const QString& column)
{
    return step.IsFieldNull(column) ? PLAN_UNSET : step.GetDouble(column);
}

} // namespace

// Reads the process row; the message and false when it is not there.
bool PlanRequirementCalculator::FindProcessRow(long processID, long* finalProduct, long* keyRawMaterial)
{
    CProcessSet processes;
    processes.SetErrorMode(DaoErrorMode::Quiet);
    const bool found = processes.OpenSet() && processes.FindFirst([processID](const CDaoRecordset& row) {
        return row.GetLong(QStringLiteral("ProcessID")) == processID;
    });
    if (!found) {
        QvMessageBox(PROCESS_NOT_FOUND);
        return false;
    }
    *finalProduct = processes.GetLong(QStringLiteral("FinalProductMaterialID"));
    *keyRawMaterial = processes.GetLong(QStringLiteral("KeyRawMaterialID"));
    ProcessName = processes.GetText(QStringLiteral("ProcessName"));
    ProcessVersionName = processes.GetText(QStringLiteral("ProcessVersionName"));
    return true;
}

bool PlanRequirementCalculator::LoadProcess()
{
    long keyRawMaterial = 0;
    if (!FindProcessRow(StepOrProcessID, &TargetMaterialID, &keyRawMaterial))
        return false;
    CStepTransition transitions;
    transitions.SetErrorMode(DaoErrorMode::Quiet);
    if (!transitions.OpenSet(StepOrProcessID) || transitions.GetRecordCount() == 0)
        return false;
    Transitions.RemoveAll();
    for (transitions.MoveFirst(); !transitions.IsEOF(); transitions.MoveNext())
        Transitions.Add(TransitionOf(transitions));
    TransitionCount = int(Transitions.GetSize());
    return true;
}

bool PlanRequirementCalculator::LoadSteps(long stepID)
{
    Items.clear();
    ItemCount = 0;
    m_loadTold = false;
    return stepID == -1 ? LoadProcessSteps() : LoadOneStep(stepID);
}

// The [Step] row of the step from the registered step database; "Step table is empty!" when the
// table has none.
bool PlanRequirementCalculator::OpenStepRow(long stepID, CStepSet& step)
{
    step.SetErrorMode(DaoErrorMode::Quiet);
    if (!step.OpenSet(stepID))
        return false;
    if (step.IsEOF()) {
        QvMessageBox(STEP_TABLE_EMPTY);
        m_loadTold = true;
        return false;
    }
    return true;
}

// Every step of the process in step order; a START row has no step database and is left out.
bool PlanRequirementCalculator::LoadProcessSteps()
{
    CProcessStepSet steps;
    steps.SetErrorMode(DaoErrorMode::Quiet);
    if (!steps.OpenSet(StepOrProcessID))
        return false;
    for (steps.MoveFirst(); !steps.IsEOF(); steps.MoveNext()) {
        if (IsStartRow(steps))
            continue;
        CStepSet step;
        if (!OpenStepRow(steps.GetLong(QStringLiteral("StepID")), step))
            return false;
        Items.emplace_back();
        FillItem(Items.back(), step);
        ItemCount = int(Items.size());
    }
    return ItemCount > 0;
}

bool PlanRequirementCalculator::LoadOneStep(long stepID)
{
    CQueryStepInProjectSet project;
    project.SetErrorMode(DaoErrorMode::Quiet);
    if (!project.OpenSet())
        return false;
    if (!project.FindFirst([stepID](const CDaoRecordset& row) { return row.GetLong(QStringLiteral("StepID")) == stepID; }))
        return true;
    CStepSet step;
    if (!OpenStepRow(stepID, step))
        return false;
    Items.emplace_back();
    FillItem(Items.back(), step);
    ItemCount = 1;
    TargetMaterialID = Items.back().KeyOutputID;
    StepName = Items.back().StepName;
    StepVersionName = Items.back().StepVersionName;
    return true;
}

// An intermediate's id, name and molecular weight; -1 when the column is Null or the material
// master has no row for it.
long PlanRequirementCalculator::ReadIntermediate(const CStepSet& step, const QString& column, QString& name,
                                                 double& mw)
{
    if (step.IsFieldNull(column))
        return -1;
    const long id = step.GetLong(column);
    if (LookUpMaterialName(id, &name) != MaterialLookup::Found)
        return -1;
    mw = MolecularWeightOrDefault(id);
    return id;
}

void PlanRequirementCalculator::FillItem(PlanFactorItem& item, CStepSet& step)
{
    item = PlanFactorItem();
    item.StepID = step.GetLong(QStringLiteral("StepID"));
    item.StepName = step.GetText(QStringLiteral("StepName"));
    item.StepVersionName = step.GetText(QStringLiteral("StepVersionName"));
    item.BatchSize = FactorOf(step, QStringLiteral("BatchSize"));
    item.KeyInputID = ReadIntermediate(step, QStringLiteral("KeyInputIntermediateID"), item.KeyInputName, item.KeyInputMW);
    item.Input2ID = ReadIntermediate(step, QStringLiteral("InputIntermediate2ID"), item.Input2Name, item.Input2MW);
    item.Input3ID = ReadIntermediate(step, QStringLiteral("InputIntermediate3ID"), item.Input3Name, item.Input3MW);
    item.KeyOutputID =
        ReadIntermediate(step, QStringLiteral("KeyOutputIntermediateID"), item.KeyOutputName, item.KeyOutputMW);
    item.Output2ID = ReadIntermediate(step, QStringLiteral("OutputIntermediate2ID"), item.Output2Name, item.Output2MW);
    item.Output3ID = ReadIntermediate(step, QStringLiteral("OutputIntermediate3ID"), item.Output3Name, item.Output3MW);
    item.KeyInputFactor = step.GetDouble(QStringLiteral("ProductFactor"));
    item.Input2Factor = FactorOf(step, QStringLiteral("II2ProductFactor"));
    item.Input3Factor = FactorOf(step, QStringLiteral("II3Productfactor"));
    item.Output2Factor = FactorOf(step, QStringLiteral("OI2ProductFactor"));
    item.Output3Factor = FactorOf(step, QStringLiteral("OI3Productfactor"));
    item.PlantID = step.GetLong(QStringLiteral("PlantID"));
    item.CleaningFlag = step.GetBool(QStringLiteral("CleaningFlag"));
    item.PlantName = PlantNameOf(item.PlantID);
}

// From the [Plant] rows, opened once per calculator; empty when there is none.
QString PlanRequirementCalculator::PlantNameOf(long plantID)
{
    if (!m_plants) {
        m_plants = std::make_unique<CPlantSet>();
        m_plants->SetErrorMode(DaoErrorMode::Quiet);
        m_plants->OpenSet();
    }
    if (!m_plants->IsOpen())
        return QString();
    const bool found = m_plants->FindFirst([plantID](const CDaoRecordset& row) {
        return row.GetLong(QStringLiteral("PlantID")) == plantID;
    });
    return found ? m_plants->GetText(QStringLiteral("PlantName")) : QString();
}

long PlanRequirementCalculator::FindFinalStep(long processID)
{
    return FindProcessStep(processID, true);
}

long PlanRequirementCalculator::FindFirstStep(long processID)
{
    return FindProcessStep(processID, false);
}

// The step making the process's final product, or the one using its key raw material: 0 when the
// process is not there, -1 when no step is.
long PlanRequirementCalculator::FindProcessStep(long processID, bool finalStep)
{
    StepOrProcessID = processID;
    Kind = QStringLiteral("process");
    long finalProduct = 0, keyRawMaterial = 0;
    if (!FindProcessRow(processID, &finalProduct, &keyRawMaterial))
        return 0;
    TargetMaterialID = finalStep ? finalProduct : keyRawMaterial;
    MolecularWeight = StoredMolecularWeight(TargetMaterialID);
    ProductName.clear();
    LookUpMaterialName(TargetMaterialID, &ProductName);
    if (!LoadSteps(-1))
        return -1;
    return finalStep ? FindProducingStep(TargetMaterialID, nullptr) : FindConsumingStep(TargetMaterialID, nullptr);
}
