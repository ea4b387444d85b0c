// Operation parameters: the compiled-in defaults, the conversion into the engine's units, the
// writer and the one-statement read, on fresh step files.

#include "DbFixture.h"
#include "foundation/common/UnitConversion.h"
#include "foundation/db/connection/DaoTransaction.h"
#include "foundation/db/content/OperationParameterWriter.h"
#include "foundation/db/schema/SchemaBuilder.h"

#include <cmath>

namespace {

constexpr long CHARGE_OPERATION_TYPE = 4;
constexpr long HEAT_OPERATION_TYPE = 26;

OperationParameterValue parameterValue(OperationField field, double number, const char* uom)
{
    return {field, number, QString::fromLatin1(uom)};
}

} // namespace

TEST(OperationParameterDefaultsTest, EveryOperationTypeHasADurationAndEveryUnitMeasuresItsField)
{
    ASSERT_FALSE(OperationParameterDefaults().isEmpty());
    for (const OperationCatalogueRow& type : CSchemaBuilder::ReadOperationCatalogue()) {
        const OperationParameterDefault* duration =
            FindOperationParameterDefault(type.operationTypeID, OperationField::Duration);
        ASSERT_NE(duration, nullptr) << type.operationTypeName.toStdString();
        EXPECT_NE(ToEngineUnit(OperationField::Duration, duration->value, duration->uom), UNSET_VALUE);
    }
    for (const OperationParameterDefault& row : OperationParameterDefaults())
        EXPECT_TRUE(IsOperationFieldUnit(row.field, row.uom)) << row.operationTypeID;
    EXPECT_EQ(FindOperationParameterDefault(CHARGE_OPERATION_TYPE, OperationField::Temperature), nullptr);
}

TEST(OperationParameterDefaultsTest, AMalformedLineIsRefusedWithItsNumber)
{
    const QString header = "OperationTypeID,FieldType,Value,UOM\n1,Duration,60,min\n\n";
    for (const char* bad :
         {"x,Duration,60,min", "2,Pressure,1,bar", "2,Duration,sixty,min", "2,Duration,60",
          "2,Duration,60,min,extra", "2,Duration,60,parsec", "2,Duration,60,C", "2,Amount,5,kg/h"}) {
        QString error;
        EXPECT_TRUE(ParseOperationParameterDefaults(header + bad, &error).isEmpty()) << bad;
        EXPECT_EQ(error, QString("Operation parameter defaults line 4 is malformed: %1").arg(bad));
    }
    QString error;
    const auto rows = ParseOperationParameterDefaults(header + " 3 , temperature , -5 , F \n", &error);
    ASSERT_EQ(rows.size(), 2);
    EXPECT_EQ(rows.at(1).field, OperationField::Temperature);
    EXPECT_EQ(rows.at(1).uom, "F");
    EXPECT_TRUE(error.isEmpty());
}

TEST(OperationParameterUnitsTest, ValuesConvertIntoTheEnginesUnitsOrAreUnset)
{
    const struct {
        OperationField field;
        double value;
        const char* uom;
        double expected;
    } rows[] = {{OperationField::Duration, 15, "min", 900},
                {OperationField::Duration, 2, "h", 7200},
                {OperationField::Duration, 2, "H", 7200},
                {OperationField::Amount, 500, "g", 0.5},
                {OperationField::Amount, 100, "lb", 45.359237},
                {OperationField::Volume, 2, "liter", 2},
                {OperationField::Volume, 1, "gal", 3.785411784},
                {OperationField::Volume, 1, "Cubic m", 1000},
                {OperationField::Temperature, 25, "C", 298.15},
                {OperationField::Temperature, 32, "F", 273.15},
                {OperationField::Temperature, 300, "K", 300},
                {OperationField::Duration, 15, "fortnight", UNSET_VALUE},
                {OperationField::Volume, 5, "kg", UNSET_VALUE},
                {OperationField::Amount, 5, "liter", UNSET_VALUE},
                {OperationField::Amount, 5, "kg/h", UNSET_VALUE},
                {OperationField::Amount, 5, "kg/liter", UNSET_VALUE},
                {OperationField::Volume, 5, "liter/min", UNSET_VALUE},
                {OperationField::Duration, 25, "C", UNSET_VALUE},
                {OperationField::Temperature, 60, "min", UNSET_VALUE},
                {OperationField::Temperature, 2, "bar", UNSET_VALUE},
                {OperationField::Duration, UNSET_VALUE, "min", UNSET_VALUE}};
    for (const auto& row : rows) {
        const double converted = ToEngineUnit(row.field, row.value, row.uom);
        EXPECT_NEAR(converted, row.expected, std::abs(row.expected) * 1e-12)
            << OperationFieldTypeName(row.field).toStdString() << " " << row.value << " " << row.uom;
    }
}

TEST(OperationParameterValuesTest, OverridesReplaceTheirFieldsDefaultAndOthersFollow)
{
    const auto values =
        OperationParameterValues(CHARGE_OPERATION_TYPE, {parameterValue(OperationField::Temperature, 20, "C"),
                                                         parameterValue(OperationField::Amount, 800, "kg")});
    QStringList read;
    for (const OperationParameterValue& v : values)
        read << QString("%1=%2 %3").arg(OperationFieldTypeName(v.field)).arg(v.value).arg(v.uom);
    EXPECT_EQ(read,
              QStringList({"Duration=15 min", "Amount=800 kg", "Volume=100 liter", "Temperature=20 C"}));
    EXPECT_TRUE(OperationParameterValues(9999).isEmpty());
}

class OperationParameterWriterTest : public DbFixture {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(CSchemaBuilder::Build(DatabaseKind::Step, pathOf("STEP_1.STP")));
        m_step.Open(pathOf("STEP_1.STP"), DatabaseRole::WorkingCopy);
    }

    // "type value uom" of the operation's fields, by group sequence, group and field.
    QString fields(long operationID) const
    {
        return scalar(pathOf("STEP_1.STP"),
                      "SELECT group_concat(f.FieldTypeID || ' ' || f.DoubleValue || ' ' || ifnull(f.UOM, "
                      "'-'), ', ')"
                      " FROM (SELECT f.* FROM TblFieldData f JOIN TblGroupData g ON g.GroupID = f.GroupID"
                      " WHERE g.OperationID = ? ORDER BY g.SequenceNumber, g.GroupID, f.FieldID) f",
                      {qlonglong(operationID)})
            .toString();
    }

    CDaoDatabase m_step;
};

TEST_F(OperationParameterWriterTest, DefaultsAreOneGroupWithAFieldPerDefaultInsideTheCallersTransaction)
{
    {
        CDaoTransaction transaction(m_step);
        WriteOperationParameterDefaults(m_step, 10, HEAT_OPERATION_TYPE);
    } // rolled back
    EXPECT_EQ(fields(10), "");
    CDaoTransaction transaction(m_step);
    const long group = WriteOperationParameterDefaults(m_step, 10, HEAT_OPERATION_TYPE);
    WriteOperationParameterDefaults(m_step, 11, CHARGE_OPERATION_TYPE);
    const size_t kept = m_step.Connection().keptStatementCount();
    WriteOperationParameterDefaults(m_step, 12, CHARGE_OPERATION_TYPE);
    EXPECT_EQ(m_step.Connection().keptStatementCount(), kept); // prepared once, not per row
    transaction.Commit();
    EXPECT_EQ(fields(10), "100001 60.0 min, 100004 80.0 C");
    EXPECT_EQ(fields(12), "100001 15.0 min, 100002 100.0 kg, 100003 100.0 liter");
    EXPECT_EQ(scalar(pathOf("STEP_1.STP"),
                     "SELECT OperationID || GroupTypeID || GroupIndex || SequenceNumber"
                     " FROM TblGroupData WHERE GroupID = ?",
                     {qlonglong(group)}),
              "10111");
}

// A value goes to the operation's first field of its type, else into its first group, else into a
// new group.
TEST_F(OperationParameterWriterTest, AValueSetsTheFirstFieldOfItsTypeOrAddsOne)
{
    WriteOperationParameter(m_step, 20, OperationField::Amount, 5, "kg"); // no group yet
    EXPECT_EQ(fields(20), "100002 5.0 kg");
    m_step.Execute("INSERT INTO TblGroupData (OperationID, SequenceNumber) VALUES (20, 0)");
    WriteOperationParameter(m_step, 20, OperationField::Amount, 7, "lb");
    WriteOperationParameter(m_step, 20, OperationField::Duration, 3, "h"); // into the group of sequence 0
    EXPECT_EQ(fields(20), "100001 3.0 h, 100002 7.0 lb");
    EXPECT_EQ(count(pathOf("STEP_1.STP"), "SELECT count(*) FROM TblGroupData"), 2);
}

TEST_F(OperationParameterWriterTest, ARangeJoinsTheFirstGroupWithItsBoundsAndUnits)
{
    OperationParameterRange range;
    range.field = OperationField::Temperature;
    range.rangeTypeID = 2;
    range.low = 50;
    range.lowWidth = 1;
    range.lowUOM = "C";
    const long id = WriteOperationParameterRange(m_step, 30, range);
    EXPECT_EQ(
        scalar(pathOf("STEP_1.STP"),
               "SELECT g.OperationID || '|' || r.FieldTypeID || '|' || r.RangeTypeID || '|' || r.Low || '|'"
               " || r.LowWidth || '|' || r.LowUOM || '|' || r.High || '|' || ifnull(r.HighUOM, 'null')"
               " FROM TblRangeData r JOIN TblGroupData g ON g.GroupID = r.GroupID WHERE r.RangeID = ?",
               {qlonglong(id)}),
        "30|100004|2|50.0|1|C|1.0e+35|null");
}

// The first value by group sequence, group index and sub-group wins; unset values and units that
// do not measure the field do not count.
TEST_F(OperationParameterWriterTest, TheReadTakesTheFirstUsableValueOfEachField)
{
    COperationParameterWriter writer(m_step);
    m_step.Execute("INSERT INTO TblGroupData (GroupID, OperationID, GroupIndex, SequenceNumber) VALUES"
                   " (1, 40, 1, 2), (2, 40, 2, 1), (3, 40, 1, 1), (4, 41, 1, 1)");
    writer.WriteField(1, parameterValue(OperationField::Duration, 10, "min"));
    writer.WriteField(1, parameterValue(OperationField::Temperature, 30, "C"));
    writer.WriteField(2, parameterValue(OperationField::Duration, 20, "min"));
    writer.WriteField(3, parameterValue(OperationField::Duration, UNSET_VALUE, "min"));
    writer.WriteField(3, parameterValue(OperationField::Duration, 1, "h"), 2);
    writer.WriteField(3, parameterValue(OperationField::Temperature, 5, "min"));
    writer.WriteField(3, parameterValue(OperationField::Amount, 2, "g"));
    writer.WriteField(4, parameterValue(OperationField::Volume, 3, "liter"));
    const QHash<long, OperationParameters> read = ReadOperationParameters(m_step);
    ASSERT_EQ(read.size(), 2);
    const OperationParameters& first = read.value(40);
    EXPECT_DOUBLE_EQ(first.duration, 3600);
    EXPECT_DOUBLE_EQ(first.temperature, 303.15);
    EXPECT_DOUBLE_EQ(first.amount, 0.002);
    EXPECT_EQ(first.volume, UNSET_VALUE);
    EXPECT_DOUBLE_EQ(read.value(41).volume, 3);
    EXPECT_EQ(read.value(41).duration, UNSET_VALUE);
}
