#include "automation/AutomationModelBuilder.h"

#include "automation/AutomationTreeReader.h"
#include "automation/QVFields.h"
#include "automation/QVGroups.h"
#include "automation/QVOperations.h"
#include "automation/QVProcesses.h"
#include "automation/QVProductionPlans.h"
#include "automation/QVRanges.h"
#include "automation/QVSteps.h"
#include "automation/QVUnitProcedures.h"
#include "automation/QuorvantaAut.h"
#include "foundation/common/AutomationFlag.h"

namespace {
template <typename Collection, typename Id>
auto findByID(const Collection* collection, Id id) -> decltype(collection->Item(0))
{
    if (!collection)
        return nullptr;
    return collection->FindFirst([&](const auto& element) { return id(element); });
}

std::shared_ptr<CQVGroup> groupFromData(long stepID, const AutomationGroupData& data)
{
    auto group = CQVGroup::Create(data.groupTypeID);
    group->m_groupID = data.groupID;
    group->m_groupIndex = data.groupIndex;
    group->m_sequenceNumber = data.sequenceNumber;
    for (const AutomationFieldData& f : data.fields) {
        auto field = CQVField::Create(stepID, f.fieldTypeID);
        field->m_fieldID = f.fieldID;
        field->m_subGroupIndex = f.subGroupIndex;
        field->m_doubleValue = f.doubleValue;
        field->m_longValue = f.doubleValue == 1e35 ? f.longValue : -1;
        field->m_stringValue = f.doubleValue == 1e35 && f.longValue == -1 ? f.stringValue : QString();
        field->m_unit = f.uom;
        group->Fields()->Append(field);
        for (const AutomationRangeData& r : data.ranges) {
            if (r.subGroupIndex != f.subGroupIndex || r.fieldTypeID != f.fieldTypeID)
                continue;
            auto range = std::make_shared<CQVRange>(r.rangeTypeID, r.rangeCategory);
            range->m_stepID = stepID;
            range->m_rangeID = r.rangeID;
            range->m_low = r.low, range->m_high = r.high;
            range->m_lowWidth = r.lowWidth, range->m_highWidth = r.highWidth;
            range->m_lowUOM = r.lowUOM, range->m_highUOM = r.highUOM;
            field->Ranges()->Append(range);
        }
    }
    return group;
}
} // namespace

CAutomationModelBuilder::CAutomationModelBuilder() : m_application(std::make_shared<CQuorvantaAut>(this)) {}

CAutomationModelBuilder::~CAutomationModelBuilder()
{
    DeleteAutomationModel();
    m_application->ForgetModel();
    m_application->Detach();
}

void CAutomationModelBuilder::BuildAutomationModel()
{
    if (!g_bAutomationActive)
        return;
    DeleteAutomationModel();
    m_processes = std::make_shared<CQVProcesses>();
    m_processes->SetOwner(m_application);
    m_plans = std::make_shared<CQVProductionPlans>();
    if (AutomationTreeReader::ReadProcesses(*m_processes))
        AutomationTreeReader::ReadPlans(*m_plans);
}

void CAutomationModelBuilder::DeleteAutomationModel()
{
    if (m_processes)
        m_processes->Detach();
    if (m_plans)
        m_plans->Detach();
    m_processes.reset();
    m_plans.reset();
    m_stale = false;
}

void CAutomationModelBuilder::RefreshAutomationModel(long)
{
    if (AutomationModelExists())
        m_stale = true;
}

void CAutomationModelBuilder::rebuildIfStale()
{
    if (m_stale)
        BuildAutomationModel();
}

std::shared_ptr<CQVProcesses> CAutomationModelBuilder::Processes()
{
    rebuildIfStale();
    return m_processes;
}

std::shared_ptr<CQVProductionPlans> CAutomationModelBuilder::ProductionPlans()
{
    rebuildIfStale();
    return m_plans;
}

std::shared_ptr<CQVProcess> CAutomationModelBuilder::FindAutomationProcess(long processID)
{
    return findByID(Processes().get(), [processID](const CQVProcess& p) { return p.m_processID == processID; });
}

std::shared_ptr<CQVStep> CAutomationModelBuilder::FindAutomationStep(const CQVProcess* process, long stepID)
{
    return findByID(process ? process->Steps().get() : nullptr,
                    [stepID](const CQVStep& s) { return s.m_stepID == stepID; });
}

std::shared_ptr<CQVUnitProcedure> CAutomationModelBuilder::FindAutomationUnitProcedure(const CQVStep* step,
                                                                                        long unitProcedureID)
{
    return findByID(step ? step->UnitProcedures().get() : nullptr,
                    [unitProcedureID](const CQVUnitProcedure& u) { return u.m_unitProcedureID == unitProcedureID; });
}

std::shared_ptr<CQVOperation> CAutomationModelBuilder::FindAutomationOperation(const CQVUnitProcedure* unitProcedure,
                                                                               long operationID)
{
    return findByID(unitProcedure ? unitProcedure->Operations().get() : nullptr,
                    [operationID](const CQVOperation& o) { return o.m_operationID == operationID; });
}

std::shared_ptr<CQVUnitProcedure> CAutomationModelBuilder::findUnitProcedure(long processID, long stepID,
                                                                             long unitProcedureID)
{
    auto process = FindAutomationProcess(processID);
    auto step = FindAutomationStep(process.get(), stepID);
    return FindAutomationUnitProcedure(step.get(), unitProcedureID);
}

void CAutomationModelBuilder::RefreshAutomationUnitProcedure(long processID, long stepID, long unitProcedureID,
                                                             const AutomationUnitProcedureData& data)
{
    auto unitProcedure = findUnitProcedure(processID, stepID, unitProcedureID);
    if (!unitProcedure)
        return;
    unitProcedure->m_name = data.name;
    unitProcedure->m_comments = data.comments;
    unitProcedure->m_primaryEquipmentID = data.primaryEquipmentID;
}

void CAutomationModelBuilder::RefreshAutomationOperation(long processID, long stepID, long unitProcedureID,
                                                         long operationID, const AutomationOperationData& data)
{
    auto operation = FindAutomationOperation(findUnitProcedure(processID, stepID, unitProcedureID).get(), operationID);
    if (!operation)
        return;
    operation->m_label = data.label;
    operation->m_recipeText = data.recipeText;
    operation->m_comments = data.comments;
    operation->m_rangeText = data.rangeText;
    operation->RemoveAllGroups();
    for (const AutomationGroupData& group : data.groups)
        operation->Groups()->Append(groupFromData(stepID, group));
}
