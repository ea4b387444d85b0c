// The parameter recordsets on the generated Demo: filters with -1 for any, their row order, the
// re-query of an open set; and the parameter rows the generator gives Demo and synthetic steps.

#include "RecordsetFixture.h"
#include "foundation/db/content/OperationParameters.h"
#include "foundation/db/content/ProjectGenerator.h"
#include "foundation/db/content/RecipeTextComposer.h"
#include "foundation/db/step/OPFieldSet.h"
#include "foundation/db/step/OPGroupSet.h"
#include "foundation/db/step/OPRangeDataSet.h"

namespace {

constexpr long ANY_ID = -1;
constexpr long HEAT_OPERATION = 26;
constexpr long DURATION_FIELD = long(OperationField::Duration);
constexpr long TEMPERATURE_FIELD = long(OperationField::Temperature);

// The values of one column over every row of an open set.
QStringList columnTexts(CDaoRecordset& set, const char* name)
{
    QStringList values;
    for (set.MoveFirst(); !set.IsEOF(); set.MoveNext())
        values << set.GetFieldValue(name).toString();
    return values;
}

} // namespace

class OperationParameterSetsTest : public RecordsetFixture {
protected:
    long operationOfType(long stepID, long typeID) const
    {
        return long(scalar(stepPath(stepID),
                           "SELECT min(OperationID) FROM Operation WHERE OperationTypeID = ?",
                           {qlonglong(typeID)})
                        .toLongLong());
    }
    long groupOf(long stepID, long operationID) const
    {
        return long(scalar(stepPath(stepID), "SELECT GroupID FROM TblGroupData WHERE OperationID = ?",
                           {qlonglong(operationID)})
                        .toLongLong());
    }
};

TEST_F(OperationParameterSetsTest, GroupsFilterByEachParameterAndComeInSequenceOrder)
{
    const long heat = operationOfType(COUPLING, HEAT_OPERATION);
    m_stepDbs.at(COUPLING)->Execute("INSERT INTO TblGroupData (GroupID, OperationID, GroupTypeID, GroupIndex,"
                                    " SequenceNumber) VALUES (900, ?, 2, 1, 0), (901, ?, 2, 2, 0)",
                                    {qlonglong(heat), qlonglong(heat)});
    const long original = groupOf(COUPLING, heat);
    COPGroupSet set;
    ASSERT_TRUE(set.OpenSet(COUPLING, heat, ANY_ID, ANY_ID, ANY_ID));
    EXPECT_EQ(columnTexts(set, "GroupID"), QStringList({"900", "901", QString::number(original)}));
    const struct {
        long groupType, groupIndex, sequence;
        QStringList expected;
    } filters[] = {{2, ANY_ID, ANY_ID, {"900", "901"}},
                   {ANY_ID, 2, ANY_ID, {"901"}},
                   {ANY_ID, ANY_ID, 1, {QString::number(original)}},
                   {1, 2, ANY_ID, {}}};
    for (const auto& filter : filters) {
        ASSERT_TRUE(set.OpenSet(COUPLING, heat, filter.groupType, filter.groupIndex, filter.sequence));
        EXPECT_EQ(columnTexts(set, "GroupID"), filter.expected) << filter.groupType << filter.groupIndex;
    }
    ASSERT_TRUE(set.OpenSet(COUPLING, ANY_ID, ANY_ID, ANY_ID, ANY_ID));
    EXPECT_EQ(set.GetRecordCount(),
              count(stepPath(COUPLING), "SELECT count(*) FROM Operation WHERE OperationTypeID > 0") + 2);
    set.CloseSet();
    EXPECT_FALSE(set.IsOpen());
}

TEST_F(OperationParameterSetsTest, FieldsFilterByTypeAndSubGroupInSubGroupOrder)
{
    const long group = groupOf(COUPLING, operationOfType(COUPLING, HEAT_OPERATION));
    m_stepDbs.at(COUPLING)->Execute("INSERT INTO TblFieldData (FieldID, GroupID, SubGroupIndex, FieldTypeID,"
                                    " DoubleValue, UOM) VALUES (9000, ?, 2, 100001, 5, 'min')",
                                    {qlonglong(group)});
    COPFieldSet set;
    ASSERT_TRUE(set.OpenSet(COUPLING, group, ANY_ID, ANY_ID));
    EXPECT_EQ(columnTexts(set, "DoubleValue"), QStringList({"45", "60", "5"}));
    EXPECT_EQ(columnTexts(set, "UOM"), QStringList({"min", "C", "min"}));
    ASSERT_TRUE(set.OpenSet(COUPLING, group, DURATION_FIELD, ANY_ID));
    EXPECT_EQ(columnTexts(set, "SubGroupIndex"), QStringList({"1", "2"}));
    ASSERT_TRUE(set.OpenSet(COUPLING, group, TEMPERATURE_FIELD, 2));
    EXPECT_EQ(set.GetRecordCount(), 0);
    ASSERT_TRUE(set.OpenSet(COUPLING, group, ANY_ID, 2));
    EXPECT_EQ(columnTexts(set, "FieldID"), QStringList({"9000"}));
    EXPECT_FALSE(set.OpenSet(4711, group, ANY_ID, ANY_ID)); // no such step database
}

// An open set on the same step takes the new parameters and re-queries.
TEST_F(OperationParameterSetsTest, RangesFilterAndAnOpenSetRequeries)
{
    const long heatGroup = groupOf(COUPLING, operationOfType(COUPLING, HEAT_OPERATION));
    COPRangeDataSet set;
    ASSERT_TRUE(set.OpenSet(COUPLING, heatGroup, 1, TEMPERATURE_FIELD));
    EXPECT_EQ(columnTexts(set, "RangeTypeID"), QStringList({"1", "2"}));
    set.MoveFirst();
    EXPECT_EQ(
        QString("%1-%2 %3").arg(set.GetDouble("Low")).arg(set.GetDouble("High")).arg(set.GetText("HighUOM")),
        "55-65 C");
    ASSERT_TRUE(set.OpenSet(COUPLING, heatGroup, 1, DURATION_FIELD));
    EXPECT_EQ(set.GetRecordCount(), 0);
    ASSERT_TRUE(set.OpenSet(COUPLING, ANY_ID, ANY_ID, ANY_ID));
    EXPECT_EQ(set.GetRecordCount(), count(stepPath(COUPLING), "SELECT count(*) FROM TblRangeData"));
    EXPECT_EQ(set.GetParameter("pGroupID").toLongLong(), ANY_ID);
}

// Every generated operation (the seeded START node aside) has one group with its type's defaults, the values
// its recipe text names replacing them; the engine reads them in its units.
TEST_F(OperationParameterSetsTest, DemoOperationsCarryTheirValuesAndSomeRanges)
{
    for (const auto& [stepID, database] : m_stepDbs) {
        EXPECT_EQ(
            count(stepPath(stepID),
                  "SELECT count(*) FROM Operation o WHERE o.OperationTypeID > 0 AND (SELECT count(*) FROM"
                  " TblGroupData g WHERE g.OperationID = o.OperationID) <> 1"),
            0)
            << stepID;
        EXPECT_EQ(
            count(stepPath(stepID),
                  "SELECT count(*) FROM Operation o WHERE o.OperationTypeID > 0 AND NOT EXISTS (SELECT 1 FROM"
                  " TblFieldData f JOIN TblGroupData g ON g.GroupID = f.GroupID"
                  " WHERE g.OperationID = o.OperationID AND f.FieldTypeID = 100001)"),
            0)
            << stepID;
    }
    const OperationParameters heat =
        ReadOperationParameters(*m_stepDbs.at(COUPLING)).value(operationOfType(COUPLING, HEAT_OPERATION));
    EXPECT_DOUBLE_EQ(heat.duration, 2700);
    EXPECT_DOUBLE_EQ(heat.temperature, 333.15);
    EXPECT_EQ(heat.amount, 1e35);
    long ranges = 0;
    for (const auto& [stepID, database] : m_stepDbs)
        ranges += count(stepPath(stepID), "SELECT count(*) FROM TblRangeData WHERE RangeTypeID IN (1, 2)");
    EXPECT_EQ(ranges, 7);
    EXPECT_EQ(count(GetProjectDBPath(), "SELECT count(*) FROM TblRangeLibrary WHERE RangeTypeID IN (1, 2)"),
              2);
}

TEST_F(OperationParameterSetsTest, SyntheticChargesCarryAmountsAndReactionsRanges)
{
    CProjectGenerator generator;
    ASSERT_TRUE(generator.Write(CProjectGenerator::SyntheticProject(2, 20), pathOf("synthetic")));
    const QString step = pathOf("synthetic/" + CProjectGenerator::StepFileName(2001));
    EXPECT_EQ(count(step, "SELECT count(*) FROM TblGroupData"),
              count(step, "SELECT count(*) FROM Operation WHERE OperationTypeID > 0"));
    EXPECT_EQ(scalar(step, "SELECT group_concat(f.DoubleValue) FROM Operation o JOIN TblGroupData g"
                           " ON g.OperationID = o.OperationID JOIN TblFieldData f ON f.GroupID = g.GroupID"
                           " WHERE o.OperationTypeID = 4 AND f.FieldTypeID = 100002"),
              "101.0,102.0,103.0");
    EXPECT_EQ(count(step, "SELECT count(*) FROM TblRangeData r JOIN TblGroupData g ON g.GroupID = r.GroupID"
                          " JOIN Operation o ON o.OperationID = g.OperationID WHERE o.OperationTypeID = 32"),
              3);
}

// An operation's fields and ranges reach its recipe text in group order (sequence number, group
// index, group, sub-group, row), whatever order their rows were added in.
TEST_F(OperationParameterSetsTest, RecipeTextReadsFieldsAndRangesInGroupOrder)
{
    const long heat = operationOfType(COUPLING, HEAT_OPERATION);
    CDaoDatabase& step = *m_stepDbs.at(COUPLING);
    step.Execute("INSERT INTO TblGroupData (GroupID, OperationID, GroupTypeID, GroupIndex, SequenceNumber)"
                 " VALUES (900, ?, 2, 2, 0), (901, ?, 2, 1, 0)",
                 {qlonglong(heat), qlonglong(heat)});
    step.Execute(
        "INSERT INTO TblFieldData (FieldID, GroupID, SubGroupIndex, FieldTypeID, StringValue) VALUES"
        " (9000, 900, 1, 1, 'g900'), (9001, 901, 2, 1, 'g901 sub 2'), (9002, 901, 1, 1, 'g901 sub 1')");
    step.Execute("INSERT INTO TblRangeData (RangeID, GroupID, SubGroupIndex, FieldTypeID, LowUOM) VALUES"
                 " (9000, 900, 1, 1, 'r900'), (9001, 901, 1, 1, 'r901')");
    RecipeTextOperation operation;
    ASSERT_TRUE(ReadRecipeTextOperation(step, COUPLING, heat, operation));
    QStringList fields, ranges;
    for (const RecipeTextField& field : std::as_const(operation.fields))
        fields << field.text;
    for (const RecipeTextRange& range : std::as_const(operation.ranges))
        ranges << range.lowUOM;
    EXPECT_EQ(fields.mid(0, 3), QStringList({"g901 sub 1", "g901 sub 2", "g900"}));
    EXPECT_EQ(ranges.mid(0, 2), QStringList({"r901", "r900"}));
    EXPECT_EQ(fields.size(), 3 + count(stepPath(COUPLING), QString("SELECT count(*) FROM TblFieldData JOIN"
                                                                   " TblGroupData USING (GroupID) WHERE"
                                                                   " OperationID = %1 AND GroupID < 900")
                                                               .arg(heat)));
}
