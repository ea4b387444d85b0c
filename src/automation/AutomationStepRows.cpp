#include "automation/AutomationStepRows.h"

#include "foundation/db/recordsets/DaoRecordset.h"
#include "foundation/db/step/OPFieldSet.h"
#include "foundation/db/step/OPGroupSet.h"
#include "foundation/db/step/OPRangeDataSet.h"

namespace {
// Every row of one of the step's views, without parameters.
class WholeStepTableSet : public CDaoRecordset {
public:
    explicit WholeStepTableSet(const DaoRecordsetDef& def) : CDaoRecordset(def) {}
    bool OpenSet(long stepID) { return OpenOnStepDatabase(stepID); }
};

const DaoRecordsetDef& everyUnitProcedure()
{
    static const DaoRecordsetDef def{
        "SELECT UnitProcedureID, PrimaryEquipmentID, UserComments FROM QryUnitProcedureForUnitProcedureID",
        {},
        {{"UnitProcedureID", DaoFieldType::Long},
         {"PrimaryEquipmentID", DaoFieldType::Long},
         {"UserComments", DaoFieldType::Text}}};
    return def;
}

const DaoRecordsetDef& everyOperation()
{
    static const DaoRecordsetDef def{"SELECT OperationID, OperationTypeID, ModelTypeID, QuorvantaLabel, "
                                     "RecipeText, UserComments, RangeText"
                                     " FROM QryOperationForOperationID",
                                     {},
                                     {{"OperationID", DaoFieldType::Long},
                                      {"OperationTypeID", DaoFieldType::Long},
                                      {"ModelTypeID", DaoFieldType::Long},
                                      {"QuorvantaLabel", DaoFieldType::Text},
                                      {"RecipeText", DaoFieldType::Text},
                                      {"UserComments", DaoFieldType::Text},
                                      {"RangeText", DaoFieldType::Text}}};
    return def;
}

long rowLongOr(const CDaoRecordset& set, const QString& column, long fallback = -1)
{
    return set.IsFieldNull(column) ? fallback : set.GetLong(column);
}

std::optional<double> rowDouble(const CDaoRecordset& set, const QString& column)
{
    return set.IsFieldNull(column) ? std::nullopt : std::optional<double>(set.GetDouble(column));
}

StepFieldRow fieldRow(const CDaoRecordset& set)
{
    StepFieldRow row;
    row.fieldID = set.GetLong(QStringLiteral("FieldID"));
    row.fieldTypeID = set.GetLong(QStringLiteral("FieldTypeID"));
    row.subGroupIndex = rowLongOr(set, QStringLiteral("SubGroupIndex"));
    row.doubleValue = rowDouble(set, QStringLiteral("DoubleValue"));
    if (!set.IsFieldNull(QStringLiteral("LongValue")))
        row.longValue = set.GetLong(QStringLiteral("LongValue"));
    if (!set.IsFieldNull(QStringLiteral("StringValue")))
        row.stringValue = set.GetText(QStringLiteral("StringValue"));
    row.unit = set.GetText(QStringLiteral("UOM"));
    return row;
}

StepRangeRow rangeRow(const CDaoRecordset& set)
{
    StepRangeRow row;
    row.rangeID = set.GetLong(QStringLiteral("RangeID"));
    row.subGroupIndex = set.GetLong(QStringLiteral("SubGroupIndex"));
    row.fieldTypeID = set.GetLong(QStringLiteral("FieldTypeID"));
    row.rangeTypeID = rowLongOr(set, QStringLiteral("RangeTypeID"));
    row.rangeCategory = rowLongOr(set, QStringLiteral("RangeCategory"), 0);
    row.low = rowDouble(set, QStringLiteral("Low"));
    row.high = rowDouble(set, QStringLiteral("High"));
    row.lowWidth = short(rowLongOr(set, QStringLiteral("LowWidth")));
    row.highWidth = short(rowLongOr(set, QStringLiteral("HighWidth")));
    row.lowUOM = set.GetText(QStringLiteral("LowUOM"));
    row.highUOM = set.GetText(QStringLiteral("HighUOM"));
    return row;
}
} // namespace

void CAutomationStepRows::Read(long stepID)
{
    readUnitProcedures(stepID);
    readOperations(stepID);
    readGroups(stepID);
    readFields(stepID);
    readRanges(stepID);
}

const StepUnitProcedureRow* CAutomationStepRows::UnitProcedure(long unitProcedureID) const
{
    const auto found = m_unitProcedures.constFind(unitProcedureID);
    return found == m_unitProcedures.cend() ? nullptr : &found.value();
}

const StepOperationRow* CAutomationStepRows::Operation(long operationID) const
{
    const auto found = m_operations.constFind(operationID);
    return found == m_operations.cend() ? nullptr : &found.value();
}

QList<StepRangeRow> CAutomationStepRows::Ranges(long groupID, long subGroupIndex, long fieldTypeID) const
{
    QList<StepRangeRow> ranges;
    for (const StepRangeRow& range : m_ranges.value(groupID)) {
        if ((subGroupIndex == -1 || range.subGroupIndex == subGroupIndex) &&
            (fieldTypeID == -1 || range.fieldTypeID == fieldTypeID))
            ranges << range;
    }
    return ranges;
}

void CAutomationStepRows::readUnitProcedures(long stepID)
{
    WholeStepTableSet set(everyUnitProcedure());
    if (!set.OpenSet(stepID))
        return;
    for (; !set.IsEOF(); set.MoveNext()) {
        StepUnitProcedureRow& row = m_unitProcedures[set.GetLong(QStringLiteral("UnitProcedureID"))];
        row.primaryEquipmentID = rowLongOr(set, QStringLiteral("PrimaryEquipmentID"));
        row.comments = set.GetText(QStringLiteral("UserComments"));
    }
}

void CAutomationStepRows::readOperations(long stepID)
{
    WholeStepTableSet set(everyOperation());
    if (!set.OpenSet(stepID))
        return;
    for (; !set.IsEOF(); set.MoveNext()) {
        StepOperationRow& row = m_operations[set.GetLong(QStringLiteral("OperationID"))];
        row.operationTypeID = rowLongOr(set, QStringLiteral("OperationTypeID"));
        row.modelTypeID = rowLongOr(set, QStringLiteral("ModelTypeID"));
        row.label = set.GetText(QStringLiteral("QuorvantaLabel"));
        row.recipeText = set.GetText(QStringLiteral("RecipeText"));
        row.comments = set.GetText(QStringLiteral("UserComments"));
        row.rangeText = set.GetText(QStringLiteral("RangeText"));
    }
}

void CAutomationStepRows::readGroups(long stepID)
{
    COPGroupSet set;
    if (!set.OpenSet(stepID, -1))
        return;
    for (; !set.IsEOF(); set.MoveNext()) {
        StepGroupRow row;
        row.groupID = set.GetLong(QStringLiteral("GroupID"));
        row.groupTypeID = set.GetLong(QStringLiteral("GroupTypeID"));
        row.groupIndex = rowLongOr(set, QStringLiteral("GroupIndex"));
        row.sequenceNumber = rowLongOr(set, QStringLiteral("SequenceNumber"));
        m_groups[set.GetLong(QStringLiteral("OperationID"))] << row;
    }
}

void CAutomationStepRows::readFields(long stepID)
{
    COPFieldSet set;
    if (!set.OpenSet(stepID, -1))
        return;
    for (; !set.IsEOF(); set.MoveNext())
        m_fields[set.GetLong(QStringLiteral("GroupID"))] << fieldRow(set);
}

void CAutomationStepRows::readRanges(long stepID)
{
    COPRangeDataSet set;
    if (!set.OpenSet(stepID, -1))
        return;
    for (; !set.IsEOF(); set.MoveNext())
        m_ranges[set.GetLong(QStringLiteral("GroupID"))] << rangeRow(set);
}
