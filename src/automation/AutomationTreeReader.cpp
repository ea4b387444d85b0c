#include "automation/AutomationTreeReader.h"

#include "automation/QVFields.h"
#include "automation/QVGroups.h"
#include "automation/QVOperations.h"
#include "automation/QVProcesses.h"
#include "automation/QVProductionPlans.h"
#include "automation/QVRanges.h"
#include "automation/QVSteps.h"
#include "automation/QVUnitProcedures.h"
#include "foundation/common/AppContext.h"
#include "foundation/common/MessageBox.h"
#include "foundation/db/DaoException.h"
#include "foundation/db/DaoTransaction.h"
#include "foundation/db/project/PlanSet.h"
#include "foundation/db/project/ProcessSet.h"
#include "foundation/db/project/ProcessStepSet.h"
#include "foundation/db/project/ProcessToProjectSet.h"
#include "foundation/db/project/UOMSet.h"
#include "foundation/db/step/OPFieldSet.h"
#include "foundation/db/step/OPGroupSet.h"
#include "foundation/db/step/OPRangeDataSet.h"
#include "foundation/db/step/OperationSet.h"
#include "foundation/db/step/StepSet.h"
#include "foundation/db/step/TextRecipeSet.h"
#include "foundation/db/step/UnitProcedureSet.h"
#include "recipe/RecipeLineSources.h"

#include <optional>

namespace {
long idOr(const CDaoRecordset& set, const char* column, long fallback = -1)
{
    const QString name = QString::fromLatin1(column);
    return set.IsFieldNull(name) ? fallback : set.GetLong(name);
}

void readProcessDetails(CProcessSet& details, CQVProcess& process)
{
    const long id = process.m_processID;
    if (!details.FindFirst([id](const CDaoRecordset& row) { return row.GetLong(QStringLiteral("ProcessID")) == id; }))
        return;
    process.m_description = details.GetText(QStringLiteral("Description"));
    process.m_keyRawMaterialID = idOr(details, "KeyRawMaterialID");
    process.m_finalProductID = idOr(details, "FinalProductMaterialID");
    process.m_outputUOMSetID = idOr(details, "OutputUOMSetID");
    if (!details.IsFieldNull(QStringLiteral("StartDateTime")))
        process.m_startDateTime = details.GetDate(QStringLiteral("StartDateTime"));
}

// Consecutive rows of one step give it once.
void readProcessSteps(CProcessStepSet& steps, CQVProcess& process)
{
    if (!steps.OpenSet(process.m_processID)) {
        QvMessageBox(QStringLiteral("Can't open step-to-process table!"), MB_ICONERROR);
        return;
    }
    long previous = -1;
    for (; !steps.IsEOF(); steps.MoveNext()) {
        const long stepID = steps.GetLong(QStringLiteral("StepID"));
        if (stepID == previous)
            continue;
        previous = stepID;
        auto step = CQVStep::Create(steps.GetText(QStringLiteral("StepName")),
                                    steps.GetText(QStringLiteral("StepVersionName")));
        step->m_stepID = stepID;
        AutomationTreeReader::ReadStep(*step);
        process.Steps()->Append(step);
    }
}

void readStepRow(CQVStep& step)
{
    CStepSet row;
    if (!row.OpenSet(step.m_stepID) || row.IsEOF())
        return;
    step.m_keyInputID = idOr(row, "KeyInputIntermediateID");
    step.m_keyOutputID = idOr(row, "KeyOutputIntermediateID");
    step.m_description = row.GetText(QStringLiteral("Description"));
    step.m_templatePath = row.GetText(QStringLiteral("OperatingInstructionsTemplatePath"));
    step.m_batchSizeBasis = row.GetText(QStringLiteral("BatchSizeBase"));
    step.m_plantID = idOr(row, "PlantID");
    step.m_inputUOMSetID = idOr(row, "InputUOMSetID");
    step.m_outputUOMSetID = idOr(row, "OutputUOMSetID");
    step.m_input2ID = idOr(row, "InputIntermediate2ID");
    step.m_input3ID = idOr(row, "InputIntermediate3ID");
    step.m_output2ID = idOr(row, "OutputIntermediate2ID");
    step.m_output3ID = idOr(row, "OutputIntermediate3ID");
    step.m_cleaning = idOr(row, "CleaningFlag", 0) != 0;
    if (!row.IsFieldNull(QStringLiteral("StartDateTime")))
        step.m_startDateTime = row.GetDate(QStringLiteral("StartDateTime"));
}

// The recipe of one step, with the sets its rows re-query.
class StepRecipeReader {
public:
    explicit StepRecipeReader(CQVStep& step) : m_step(step), m_stepID(step.m_stepID) {}
    void Read()
    {
        CTextRecipeSet recipe;
        if (!recipe.OpenSet(m_stepID, 0, QStringLiteral("all")))
            return;
        for (; !recipe.IsEOF(); recipe.MoveNext())
            readRow(recipe);
    }

private:
    void readRow(const CTextRecipeSet& row)
    {
        const QString type = row.GetText(QStringLiteral("Type"));
        if (type.compare(QLatin1String("Unit Procedure"), Qt::CaseInsensitive) == 0)
            readUnitProcedure(row);
        else if (type.compare(QLatin1String("Operation"), Qt::CaseInsensitive) == 0)
            readOperation(row);
    }
    void readUnitProcedure(const CTextRecipeSet& row)
    {
        const long id = row.GetLong(QStringLiteral("ID"));
        if (!m_unitProcedureSet.OpenSet(m_stepID, id) || m_unitProcedureSet.IsEOF())
            return;
        auto up = CQVUnitProcedure::Create(row.GetText(QStringLiteral("UnitProcedureName")),
                                           idOr(m_unitProcedureSet, "PrimaryEquipmentID"));
        up->m_stepID = m_stepID;
        up->m_unitProcedureID = id;
        up->m_recipeSequenceNumber = row.GetLong(QStringLiteral("RecipeSequenceNumber"));
        up->m_comments = GetUnitProcedureCommentText(m_stepID, id);
        up->m_hidden = row.GetBool(QStringLiteral("Hide"));
        m_step.UnitProcedures()->Append(up);
        m_current = up;
    }
    void readOperation(const CTextRecipeSet& row)
    {
        const long id = row.GetLong(QStringLiteral("ID"));
        if (!m_operationSet.OpenSet(m_stepID, id) || m_operationSet.IsEOF())
            return;
        auto operation = CQVOperation::Create(idOr(m_operationSet, "OperationTypeID"), idOr(m_operationSet, "ModelTypeID"));
        operation->m_stepID = m_stepID;
        operation->m_operationID = id;
        operation->m_label = m_operationSet.GetText(QStringLiteral("QuorvantaLabel"));
        operation->m_recipeSequenceNumber = row.GetLong(QStringLiteral("RecipeSequenceNumber"));
        operation->m_recipeText = m_operationSet.GetText(QStringLiteral("RecipeText"));
        operation->m_comments = m_operationSet.GetText(QStringLiteral("UserComments"));
        operation->m_rangeText = m_operationSet.GetText(QStringLiteral("RangeText"));
        operation->m_hidden = row.GetBool(QStringLiteral("Hide"));
        if (m_current)
            m_current->Operations()->Append(operation);
        AutomationTreeReader::ReadGroups(m_stepID, id, *operation->Groups());
    }

    CQVStep& m_step;
    long m_stepID;
    CUnitProcedureSet m_unitProcedureSet;
    COperationSet m_operationSet;
    std::shared_ptr<CQVUnitProcedure> m_current;
};

void readRanges(COPRangeDataSet& set, long stepID, long groupID, CQVField& field)
{
    if (!set.OpenSet(stepID, groupID, field.m_subGroupIndex, field.m_fieldType))
        return;
    for (; !set.IsEOF(); set.MoveNext()) {
        auto range = std::make_shared<CQVRange>(idOr(set, "RangeTypeID"), idOr(set, "RangeCategory", 0));
        range->m_stepID = stepID;
        range->m_rangeID = set.GetLong(QStringLiteral("RangeID"));
        range->m_highUOM = set.GetText(QStringLiteral("HighUOM"));
        range->m_lowUOM = set.GetText(QStringLiteral("LowUOM"));
        if (!set.IsFieldNull(QStringLiteral("High")))
            range->m_high = set.GetDouble(QStringLiteral("High"));
        if (!set.IsFieldNull(QStringLiteral("Low")))
            range->m_low = set.GetDouble(QStringLiteral("Low"));
        range->m_highWidth = short(idOr(set, "HighWidth"));
        range->m_lowWidth = short(idOr(set, "LowWidth"));
        field.Ranges()->Append(range);
    }
}

// Exactly one value: the double, else the long, else the text.
void readFieldValue(const COPFieldSet& set, CQVField& field)
{
    if (!set.IsFieldNull(QStringLiteral("DoubleValue")))
        field.m_doubleValue = set.GetDouble(QStringLiteral("DoubleValue"));
    else if (!set.IsFieldNull(QStringLiteral("LongValue")))
        field.m_longValue = set.GetLong(QStringLiteral("LongValue"));
    else if (!set.IsFieldNull(QStringLiteral("StringValue")))
        field.m_stringValue = set.GetText(QStringLiteral("StringValue"));
}

void readFields(long stepID, long groupID, CQVGroup& group)
{
    COPFieldSet fields;
    COPRangeDataSet ranges;
    if (!fields.OpenSet(stepID, groupID))
        return;
    for (; !fields.IsEOF(); fields.MoveNext()) {
        auto field = CQVField::Create(stepID, fields.GetLong(QStringLiteral("FieldTypeID")));
        field->m_fieldID = fields.GetLong(QStringLiteral("FieldID"));
        readFieldValue(fields, *field);
        field->m_subGroupIndex = idOr(fields, "SubGroupIndex");
        field->m_unit = fields.GetText(QStringLiteral("UOM"));
        group.Fields()->Append(field);
        readRanges(ranges, stepID, groupID, *field);
    }
}

QString unitSetName(CUOMSet& sets, long uomSetID)
{
    if (!sets.IsOpen() || !sets.FindFirst([uomSetID](const CDaoRecordset& row) {
            return row.GetLong(QStringLiteral("UOMSetID")) == uomSetID;
        }))
        return QString();
    return sets.GetText(QStringLiteral("UOMSetName"));
}
} // namespace

namespace AutomationTreeReader {
bool ReadProcesses(CQVProcesses& processes)
{
    CProcessSet details;
    if (!details.OpenSet())
        return false;
    CProcessToProjectSet links;
    if (!links.OpenSet())
        return true;
    CProcessStepSet steps;
    for (; !links.IsEOF(); links.MoveNext()) {
        auto process = CQVProcess::Create(links.GetText(QStringLiteral("ProcessName")),
                                          links.GetText(QStringLiteral("ProcessVersionName")));
        process->m_processID = links.GetLong(QStringLiteral("ProcessID"));
        readProcessDetails(details, *process);
        processes.Append(process);
        readProcessSteps(steps, *process);
    }
    return true;
}

void ReadStep(CQVStep& step)
{
    CDaoDatabase* database = GetStepDatabase(step.m_stepID);
    std::optional<CDaoTransaction> read;
    try {
        if (database && !database->InTransaction())
            read.emplace(*database);
    } catch (const CDaoException&) {
        // Read without the transaction; each set still reads whole.
    }
    readStepRow(step);
    StepRecipeReader(step).Read();
}

void ReadGroups(long stepID, long operationID, CQVGroups& groups)
{
    COPGroupSet set;
    if (!set.OpenSet(stepID, operationID))
        return;
    for (; !set.IsEOF(); set.MoveNext()) {
        auto group = CQVGroup::Create(set.GetLong(QStringLiteral("GroupTypeID")));
        group->m_groupID = set.GetLong(QStringLiteral("GroupID"));
        group->m_groupIndex = idOr(set, "GroupIndex");
        group->m_sequenceNumber = idOr(set, "SequenceNumber");
        groups.Append(group);
        readFields(stepID, group->m_groupID, *group);
    }
}

void ReadPlans(CQVProductionPlans& plans)
{
    CPlanSet set;
    if (!set.OpenSet())
        return;
    CUOMSet unitSets;
    unitSets.OpenSet();
    for (; !set.IsEOF(); set.MoveNext()) {
        const double start = set.IsFieldNull(QStringLiteral("StartDateTime")) ? 0 : set.GetDate(QStringLiteral("StartDateTime"));
        auto plan = CQVProductionPlan::Create(set.GetText(QStringLiteral("PlanName")), start);
        plan->m_planID = set.GetLong(QStringLiteral("PlanID"));
        plan->m_outputUOM = unitSetName(unitSets, idOr(set, "OutputUOMSetID"));
        plans.Append(plan);
    }
}
} // namespace AutomationTreeReader
