#include "recipe/edit/AutomationRefresh.h"

#include "foundation/common/ServiceSlot.h"
#include "foundation/common/concerns/SubsystemConcerns.h"
#include "foundation/db/project/StepToProcessSet.h"
#include "foundation/db/step/OPFieldSet.h"
#include "foundation/db/step/OPGroupSet.h"
#include "foundation/db/step/OPRangeDataSet.h"
#include "foundation/db/step/OperationSet.h"
#include "foundation/db/step/UnitProcedureSet.h"
#include "recipe/lines/OperationComment.h"

namespace {
// The model to refresh and the process to find the object under; null without either.
AutomationModel* modelToRefresh(long& processID, long stepID)
{
    AutomationModel* model = ServiceSlot<AutomationModel>::Get();
    if (!model || !model->AutomationModelExists())
        return nullptr;
    if (processID == -1)
        processID = FindProcessOfStep(stepID);
    return processID == -1 ? nullptr : model;
}

long longOr(const CDaoRecordset& set, const QString& column, long fallback)
{
    return set.IsFieldNull(column) ? fallback : set.GetLong(column);
}

QList<AutomationFieldData> readFields(long stepID, long groupID)
{
    QList<AutomationFieldData> fields;
    COPFieldSet set;
    for (bool open = set.OpenSet(stepID, groupID); open && !set.IsEOF(); set.MoveNext())
        fields.append({set.GetLong("FieldID"), set.GetLong("SubGroupIndex"), set.GetLong("FieldTypeID"),
                       set.GetDouble("DoubleValue"), longOr(set, "LongValue", -1), set.GetText("UOM"),
                       set.GetText("StringValue")});
    return fields;
}

QList<AutomationRangeData> readRanges(long stepID, long groupID)
{
    QList<AutomationRangeData> ranges;
    COPRangeDataSet set;
    for (bool open = set.OpenSet(stepID, groupID); open && !set.IsEOF(); set.MoveNext())
        ranges.append({set.GetLong("RangeID"), set.GetLong("SubGroupIndex"), set.GetLong("FieldTypeID"),
                       longOr(set, "RangeTypeID", -1), set.GetLong("RangeCategory"), set.GetDouble("Low"),
                       set.GetShort("LowWidth"), set.GetText("LowUOM"), set.GetDouble("High"),
                       set.GetShort("HighWidth"), set.GetText("HighUOM")});
    return ranges;
}

QList<AutomationGroupData> readGroups(long stepID, long operationID)
{
    QList<AutomationGroupData> groups;
    COPGroupSet set;
    for (bool open = set.OpenSet(stepID, operationID); open && !set.IsEOF(); set.MoveNext()) {
        const long groupID = set.GetLong("GroupID");
        groups.append({groupID, set.GetLong("GroupTypeID"), set.GetLong("GroupIndex"), set.GetLong("SequenceNumber"),
                       readFields(stepID, groupID), readRanges(stepID, groupID)});
    }
    return groups;
}
} // namespace

long FindProcessOfStep(long stepID)
{
    CStepToProcessSet steps;
    if (!steps.OpenSet(-1))
        return -1;
    const bool found = steps.FindFirst(
        [stepID](const CDaoRecordset& row) { return row.GetLong(QStringLiteral("StepID")) == stepID; });
    return found ? steps.GetLong(QStringLiteral("ProcessID")) : -1;
}

void RefreshAutomationUnitProcedure(long processID, long stepID, long unitProcedureID)
{
    AutomationModel* model = modelToRefresh(processID, stepID);
    CUnitProcedureSet row;
    if (!model || !row.OpenSet(stepID, unitProcedureID) || row.IsEOF())
        return;
    const AutomationUnitProcedureData data{
        row.GetText("UnitProcedureName"), GetUnitProcedureComment(stepID, unitProcedureID, row.GetText("UserComments")),
        longOr(row, "PrimaryEquipmentID", -1)};
    model->RefreshAutomationUnitProcedure(processID, stepID, unitProcedureID, data);
}

void RefreshAutomationOperation(long processID, long stepID, long unitProcedureID, long operationID)
{
    AutomationModel* model = modelToRefresh(processID, stepID);
    COperationSet row;
    if (!model || !row.OpenSet(stepID, operationID) || row.IsEOF())
        return;
    const AutomationOperationData data{row.GetText("QuorvantaLabel"), row.GetText("RecipeText"),
                                       row.GetText("UserComments"), row.GetText("RangeText"),
                                       readGroups(stepID, operationID)};
    model->RefreshAutomationOperation(processID, stepID, unitProcedureID, operationID, data);
}
