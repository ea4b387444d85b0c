#include "automation/AutomationTreeReader.h"

#include "automation/AutomationStepRows.h"
#include "automation/QVFields.h"
#include "automation/QVGroups.h"
#include "automation/QVOperations.h"
#include "automation/QVProcesses.h"
#include "automation/QVProductionPlans.h"
#include "automation/QVRanges.h"
#include "automation/QVSteps.h"
#include "automation/QVUnitProcedures.h"
#include "foundation/common/MessageBox.h"
#include "foundation/common/concerns/AppContext.h"
#include "foundation/db/connection/DaoException.h"
#include "foundation/db/connection/DaoTransaction.h"
#include "foundation/db/project/PlanSet.h"
#include "foundation/db/project/ProcessSet.h"
#include "foundation/db/project/ProcessStepSet.h"
#include "foundation/db/project/ProcessToProjectSet.h"
#include "foundation/db/project/UOMSet.h"
#include "foundation/db/step/StepSet.h"
#include "foundation/db/step/TextRecipeSet.h"
#include "recipe/lines/OperationComment.h"

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

void appendRanges(const QList<StepRangeRow>& rows, long stepID, CQVField& field)
{
    for (const StepRangeRow& row : rows) {
        auto range = std::make_shared<CQVRange>(row.rangeTypeID, row.rangeCategory);
        range->m_stepID = stepID;
        range->m_rangeID = row.rangeID;
        range->m_highUOM = row.highUOM;
        range->m_lowUOM = row.lowUOM;
        range->m_high = row.high.value_or(range->m_high);
        range->m_low = row.low.value_or(range->m_low);
        range->m_highWidth = row.highWidth;
        range->m_lowWidth = row.lowWidth;
        field.Ranges()->Append(range);
    }
}

// Exactly one value: the double, else the long, else the text. 1e35 and -1 are the columns'
// "unset" values, as the in-place refresh reads them.
void setFieldValue(const StepFieldRow& row, CQVField& field)
{
    if (row.doubleValue && *row.doubleValue != 1e35)
        field.m_doubleValue = *row.doubleValue;
    else if (row.longValue && *row.longValue != -1)
        field.m_longValue = *row.longValue;
    else if (row.stringValue)
        field.m_stringValue = *row.stringValue;
}

// The recipe of one step, built from the step's rows read whole.
class StepRecipeReader {
public:
    explicit StepRecipeReader(CQVStep& step) : m_step(step), m_stepID(step.m_stepID) {}
    void Read()
    {
        CTextRecipeSet recipe;
        if (!recipe.OpenSet(m_stepID, 0, QStringLiteral("all")))
            return;
        m_rows.Read(m_stepID);
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
        const StepUnitProcedureRow* details = m_rows.UnitProcedure(id);
        if (!details)
            return;
        auto up = CQVUnitProcedure::Create(row.GetText(QStringLiteral("UnitProcedureName")),
                                           details->primaryEquipmentID);
        up->m_stepID = m_stepID;
        up->m_unitProcedureID = id;
        up->m_recipeSequenceNumber = row.GetLong(QStringLiteral("RecipeSequenceNumber"));
        up->m_comments = GetUnitProcedureComment(m_stepID, id, details->comments);
        up->m_hidden = row.GetBool(QStringLiteral("Hide"));
        m_step.UnitProcedures()->Append(up);
        m_current = up;
    }
    void readOperation(const CTextRecipeSet& row)
    {
        const long id = row.GetLong(QStringLiteral("ID"));
        const StepOperationRow* details = m_rows.Operation(id);
        if (!details)
            return;
        auto operation = CQVOperation::Create(details->operationTypeID, details->modelTypeID);
        operation->m_stepID = m_stepID;
        operation->m_operationID = id;
        operation->m_label = details->label;
        operation->m_recipeSequenceNumber = row.GetLong(QStringLiteral("RecipeSequenceNumber"));
        operation->m_recipeText = details->recipeText;
        operation->m_comments = details->comments;
        operation->m_rangeText = details->rangeText;
        operation->m_hidden = row.GetBool(QStringLiteral("Hide"));
        if (m_current)
            m_current->Operations()->Append(operation);
        appendGroups(id, *operation->Groups());
    }
    void appendGroups(long operationID, CQVGroups& groups) const
    {
        for (const StepGroupRow& row : m_rows.Groups(operationID)) {
            auto group = CQVGroup::Create(row.groupTypeID);
            group->m_groupID = row.groupID;
            group->m_groupIndex = row.groupIndex;
            group->m_sequenceNumber = row.sequenceNumber;
            groups.Append(group);
            appendFields(*group);
        }
    }
    void appendFields(CQVGroup& group) const
    {
        for (const StepFieldRow& row : m_rows.Fields(group.m_groupID)) {
            auto field = CQVField::Create(m_stepID, row.fieldTypeID);
            field->m_fieldID = row.fieldID;
            setFieldValue(row, *field);
            field->m_subGroupIndex = row.subGroupIndex;
            field->m_unit = row.unit;
            group.Fields()->Append(field);
            const auto ranges = m_rows.Ranges(group.m_groupID, field->m_subGroupIndex, field->m_fieldType);
            appendRanges(ranges, m_stepID, *field);
        }
    }

    CQVStep& m_step;
    long m_stepID;
    CAutomationStepRows m_rows;
    std::shared_ptr<CQVUnitProcedure> m_current;
};

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
