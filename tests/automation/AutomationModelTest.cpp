#include "AutomationFixture.h"

#include "automation/AutomationBus.h"
#include "automation/AutomationBusTypes.h"
#include "automation/QVFields.h"
#include "automation/QVOperation.h"
#include "automation/QVProcesses.h"
#include "automation/QVRanges.h"
#include "automation/QVSteps.h"
#include "automation/QVUnitProcedures.h"
#include "automation/QuorvantaAut.h"
#include "foundation/common/AutomationFlag.h"
#include "foundation/common/concerns/AppContext.h"
#include "foundation/db/connection/DaoDatabase.h"

#include <QDBusMessage>

namespace {
using V = CAutomationVariant;
using ObjectList = QList<std::shared_ptr<CAutomationObject>>;

constexpr long COUPLING_STEP = 1001;
} // namespace

class AutomationModelTest : public AutomationFixture {
protected:
    ObjectList Items(const std::shared_ptr<CAutomationObject>& collection)
    {
        ObjectList items;
        const long count = Get(collection, "Count").longValue();
        for (long i = 0; i < count; ++i)
            items << Obj(collection, "Item", {L(i)});
        return items;
    }
    // The field object of that row of the step; null when the tree has none.
    std::shared_ptr<CAutomationObject> FieldObject(long stepID, long fieldID)
    {
        for (auto& process : Items(Obj(Root(), "Processes")))
            for (auto& step : Items(Obj(process, "Steps")))
                for (auto& up : Items(Obj(step, "UnitProcedures")))
                    for (auto& op : Items(Obj(up, "Operations")))
                        for (auto& group : Items(Obj(op, "Groups")))
                            for (auto& field : Items(Obj(group, "Fields"))) {
                                const auto f = std::static_pointer_cast<CQVField>(field);
                                if (f->m_fieldID == fieldID && f->m_stepID == stepID)
                                    return field;
                            }
        return nullptr;
    }
    // The first field of the step that has a range, and its operation.
    std::shared_ptr<CAutomationObject> FieldWithRange(long stepID, long* fieldID)
    {
        *fieldID = long(StepValue(stepID, "SELECT f.FieldID FROM TblFieldData f JOIN TblRangeData r ON "
                                          "r.GroupID = f.GroupID AND r.SubGroupIndex = f.SubGroupIndex AND "
                                          "r.FieldTypeID = f.FieldTypeID ORDER BY f.FieldID LIMIT 1")
                            .toLongLong());
        for (auto& process : Items(Obj(Root(), "Processes")))
            for (auto& step : Items(Obj(process, "Steps")))
                for (auto& up : Items(Obj(step, "UnitProcedures")))
                    for (auto& op : Items(Obj(up, "Operations")))
                        for (auto& group : Items(Obj(op, "Groups")))
                            for (auto& field : Items(Obj(group, "Fields")))
                                if (std::static_pointer_cast<CQVField>(field)->m_fieldID == *fieldID
                                    && std::static_pointer_cast<CQVField>(field)->m_stepID == stepID)
                                    return field;
        return nullptr;
    }
    // The first field of each type in Coupling, each given a range of its own (limits 1 and 9);
    // the tree is built again.
    QHash<long, long> FieldsWithOwnRange(const QList<long>& fieldTypes)
    {
        QHash<long, long> fieldOfType;
        for (const long type : fieldTypes) {
            fieldOfType[type] =
                StepValue(COUPLING_STEP, "SELECT MIN(FieldID) FROM TblFieldData WHERE FieldTypeID = ?",
                          {qlonglong(type)})
                    .toLongLong();
            EXPECT_GT(fieldOfType[type], 0) << type;
            EditStep(COUPLING_STEP, "DELETE FROM TblRangeData WHERE FieldTypeID = ?", {qlonglong(type)});
            EditStep(
                COUPLING_STEP,
                "INSERT INTO TblRangeData (GroupID, SubGroupIndex, FieldTypeID, RangeTypeID, Low, High)"
                " SELECT GroupID, SubGroupIndex, FieldTypeID, 1, 1, 9 FROM TblFieldData WHERE FieldID = ?",
                {qlonglong(fieldOfType[type])});
        }
        builder.RefreshAutomationModel(COUPLING_STEP);
        return fieldOfType;
    }
};

TEST_F(AutomationModelTest, NothingIsBuiltWhileAutomationIsInactive)
{
    g_bAutomationActive = false;
    OpenDemo();
    EXPECT_FALSE(builder.AutomationModelExists());
    EXPECT_EQ(Obj(Root(), "Processes"), nullptr);
    EXPECT_EQ(Obj(Root(), "Options"), nullptr);
}

// Every level of the tree holds what the databases hold, in their order.
TEST_F(AutomationModelTest, TheWalkReachesEveryRowOfTheProject)
{
    OpenDemo();
    auto processes = Obj(Root(), "Processes");
    EXPECT_EQ(Obj(processes, "Parent"), Root());
    EXPECT_EQ(Get(processes, "Count").longValue(),
              ProjectValue("SELECT COUNT(*) FROM \"Process-To-Project\"").toLongLong());
    long steps = 0, ranges = 0;
    QMap<long, long> fieldsPerStep;
    for (auto& process : Items(processes)) {
        EXPECT_EQ(Obj(process, "Parent"), nullptr);
        for (auto& step : Items(Obj(process, "Steps"))) {
            ++steps;
            EXPECT_EQ(Obj(Obj(process, "Steps"), "Parent"), process);
            const long stepID = std::static_pointer_cast<CQVStep>(step)->m_stepID;
            long fields = 0;
            for (auto& up : Items(Obj(step, "UnitProcedures")))
                for (auto& op : Items(Obj(up, "Operations")))
                    for (auto& group : Items(Obj(op, "Groups")))
                        for (auto& field : Items(Obj(group, "Fields"))) {
                            ++fields;
                            ranges += Get(Obj(field, "Ranges"), "Count").longValue();
                        }
            fieldsPerStep[stepID] = fields;
        }
    }
    EXPECT_EQ(steps, ProjectValue("SELECT COUNT(*) FROM \"Step-To-Process\"").toLongLong());
    for (auto it = fieldsPerStep.begin(); it != fieldsPerStep.end(); ++it)
        EXPECT_EQ(it.value(), StepValue(it.key(), "SELECT COUNT(*) FROM TblFieldData f JOIN TblGroupData g ON "
                                                  "g.GroupID = f.GroupID JOIN Operation o ON o.OperationID = g.OperationID")
                                  .toLongLong())
            << it.key();
    EXPECT_GT(ranges, 0);
}

// Hidden flags come from the recipe rows; a unit procedure's Hide takes its operations along.
TEST_F(AutomationModelTest, HiddenRowsAndHide)
{
    OpenDemo();
    const long op = long(StepValue(COUPLING_STEP, "SELECT ID FROM TextRecipe WHERE Type = 'Operation' "
                                                  "ORDER BY RecipeSequenceNumber LIMIT 1").toLongLong());
    EditStep(COUPLING_STEP, "UPDATE TextRecipe SET Hide = 1 WHERE Type = 'Operation' AND ID = ?", {qlonglong(op)});
    builder.BuildAutomationModel();
    auto process = builder.FindAutomationProcess(1);
    auto step = CAutomationModelBuilder::FindAutomationStep(process.get(), COUPLING_STEP);
    ASSERT_TRUE(step);
    auto up = Obj(Obj(std::shared_ptr<CAutomationObject>(step), "UnitProcedures"), "Item", {L(0)});
    auto operation = std::static_pointer_cast<CQVOperation>(Obj(Obj(up, "Operations"), "Item", {L(0)}));
    EXPECT_EQ(operation->m_operationID, op);
    EXPECT_TRUE(operation->m_hidden);
    Call(operation, "Hide", {V::Bool(false)}); // written: the flag was read
    EXPECT_EQ(StepValue(COUPLING_STEP, "SELECT Hide FROM TextRecipe WHERE Type = 'Operation' AND ID = ?",
                        {qlonglong(op)}).toInt(), 0);
    Call(up, "Hide", {L(1)});
    EXPECT_TRUE(operation->m_hidden);
    EXPECT_EQ(StepValue(COUPLING_STEP, "SELECT MIN(Hide) FROM TextRecipe WHERE Type = 'Operation' AND ID IN "
                                       "(SELECT OperationID FROM Operation WHERE UnitProcedureID = ?)",
                        QVariantList{qlonglong(std::static_pointer_cast<CQVUnitProcedure>(up)->m_unitProcedureID)}).toInt(), 1);
}

// Each setter writes its own column; equal values and markers write nothing.
TEST_F(AutomationModelTest, FieldAndRangeSettersWriteTheirColumnOnly)
{
    OpenDemo();
    long fieldID = 0;
    auto field = FieldWithRange(COUPLING_STEP, &fieldID);
    ASSERT_TRUE(field);
    const QString row = "SELECT quote(DoubleValue) || '|' || quote(LongValue) || '|' || quote(UOM) || '|' || "
                        "quote(StringValue) FROM TblFieldData WHERE FieldID = ?";
    const QString before = StepValue(COUPLING_STEP, row, {qlonglong(fieldID)}).toString();
    ASSERT_TRUE(Put(field, "dValue", S("12.5")).ok());
    const QString after = StepValue(COUPLING_STEP, row, {qlonglong(fieldID)}).toString();
    EXPECT_EQ(after.section('|', 0, 0), "12.5");
    EXPECT_EQ(after.section('|', 1), before.section('|', 1));
    const AutomationResult marker = Put(field, "dValue", V::Double(1e35));
    EXPECT_EQ(marker.error, AutomationError::InvalidArgument);
    EXPECT_EQ(Get(field, "dValue").doubleValue(), 12.5);

    auto range = Obj(Obj(field, "Ranges"), "Item", {L(0)});
    const long rangeID = std::static_pointer_cast<CQVRange>(range)->m_rangeID;
    ASSERT_TRUE(Put(range, "HiWidth", L(3)).ok());
    ASSERT_TRUE(Put(range, "LoUOM", S("kg")).ok());
    EXPECT_EQ(StepValue(COUPLING_STEP, "SELECT HighWidth || '|' || LowUOM FROM TblRangeData WHERE RangeID = ?",
                        {qlonglong(rangeID)}).toString(), "3|kg");
    EXPECT_EQ(Get(range, "HiWidth").type(), VT_I2);
}

// A negative time, amount or volume, and a negative range limit of such a field, is refused with
// the editor's text and the scripting error InvalidArgument; nothing is stored. Zero and positive
// values are written, and a temperature may be below zero.
TEST_F(AutomationModelTest, NegativeTimesAmountsAndVolumesAreRefused)
{
    OpenDemo();
    struct Case {
        long fieldTypeID;
        QString refusal; // empty: the negative value is written
    };
    const QList<Case> cases{{100001, "Please enter a non-negative number for Duration."},
                            {100002, "Please enter a non-negative number for Amount."},
                            {100003, "Please enter a non-negative number for Volume."},
                            {100004, ""}};
    const QHash<long, long> fieldOfType = FieldsWithOwnRange({100001, 100002, 100003, 100004});
    const QString rows = "SELECT group_concat(quote(DoubleValue) || quote(LongValue), ';') FROM TblFieldData"
                         " UNION ALL SELECT group_concat(quote(Low) || quote(High), ';') FROM TblRangeData";
    for (const Case& c : cases) {
        const std::string type = std::to_string(c.fieldTypeID);
        auto field = FieldObject(COUPLING_STEP, fieldOfType[c.fieldTypeID]);
        ASSERT_TRUE(field) << type;
        auto range = Obj(Obj(field, "Ranges"), "Item", {L(0)});
        ASSERT_TRUE(range) << type;
        const QList<std::pair<std::shared_ptr<CAutomationObject>, QString>> puts{
            {field, "dValue"}, {field, "lValue"}, {range, "LoValue"}, {range, "HiValue"}};
        for (const auto& [object, member] : puts) {
            const std::string what = type + "." + member.toStdString();
            const V old = Get(object, member);
            const QString before = StepValue(COUPLING_STEP, rows).toString();
            const AutomationResult negative = Put(object, member, member == "lValue" ? L(-5) : V::Double(-0.5));
            if (c.refusal.isEmpty()) {
                EXPECT_TRUE(negative.ok()) << what << ": " << negative.text.toStdString();
                continue;
            }
            EXPECT_EQ(negative.error, AutomationError::InvalidArgument) << what;
            EXPECT_EQ(negative.text, c.refusal) << what;
            EXPECT_EQ(Get(object, member), old) << what;
            EXPECT_EQ(StepValue(COUPLING_STEP, rows).toString(), before) << what;
            for (const V& allowed : {V::Long(0), V::Double(2.5)})
                EXPECT_TRUE(Put(object, member, allowed).ok()) << what;
        }
    }
    EXPECT_EQ(StepValue(COUPLING_STEP, "SELECT DoubleValue FROM TblFieldData WHERE FieldID = ?",
                        {qlonglong(fieldOfType[100001])}).toDouble(), 2.5);
    EXPECT_EQ(StepValue(COUPLING_STEP, "SELECT DoubleValue FROM TblFieldData WHERE FieldID = ?",
                        {qlonglong(fieldOfType[100004])}).toDouble(), -0.5);
    // What a bus client receives for the refusal.
    auto duration = FieldObject(COUPLING_STEP, fieldOfType[100001]);
    const AutomationResult refused = Put(duration, "dValue", V::Double(-1));
    const QDBusMessage call = QDBusMessage::createMethodCall("Quorvanta.Application", "/x",
                                                             "org.freedesktop.DBus.Properties", "Set");
    const QDBusMessage reply = AutomationErrorReply(call, refused);
    EXPECT_EQ(reply.errorName(), "Quorvanta.Error.InvalidArgument");
    EXPECT_EQ(reply.errorMessage(), "Please enter a non-negative number for Duration.");
}

// A value that is no number (an infinity, NaN) or lies beyond the unset value 1e35 is refused as
// InvalidArgument, as it comes over the bus: nothing is stored and the object keeps its value.
TEST_F(AutomationModelTest, InfinitiesNaNAndValuesBeyondTheUnsetValueAreRefused)
{
    OpenDemo();
    long fieldID = 0;
    auto field = FieldWithRange(COUPLING_STEP, &fieldID);
    ASSERT_TRUE(field);
    auto range = Obj(Obj(field, "Ranges"), "Item", {L(0)});
    const QString rows = "SELECT group_concat(quote(DoubleValue), ';') FROM TblFieldData"
                         " UNION ALL SELECT group_concat(quote(Low) || quote(High), ';') FROM TblRangeData";
    const QList<QVariant> sent{qInf(), -qInf(), qQNaN(), 1e300, -1e300, 1.5e35, QStringLiteral("1e300")};
    for (const auto& [object, member] : QList<std::pair<std::shared_ptr<CAutomationObject>, QString>>{
             {field, "dValue"}, {range, "LoValue"}, {range, "HiValue"}}) {
        const V old = Get(object, member);
        const QString before = StepValue(COUPLING_STEP, rows).toString();
        for (const QVariant& bus : sent) {
            const std::string what = member.toStdString() + " = " + bus.toString().toStdString();
            V value;
            ASSERT_TRUE(FromBusValue(bus, &value, [](const QString&) { return nullptr; })) << what;
            const AutomationResult refused = Put(object, member, value);
            EXPECT_EQ(refused.error, AutomationError::InvalidArgument) << what;
            EXPECT_EQ(refused.text, "Please enter a number for " + member + ".") << what;
            EXPECT_EQ(Get(object, member), old) << what;
        }
        EXPECT_EQ(StepValue(COUPLING_STEP, rows).toString(), before) << member.toStdString();
        EXPECT_TRUE(Put(object, member, V::Double(9.9e34)).ok()) << member.toStdString();
    }
}

// A unit is one of the project's units of the field's kind, spelled exactly so; a range takes its
// field's kind. Anything else is refused with the field's message and InvalidArgument: the object
// and the rows keep their units and values.
TEST_F(AutomationModelTest, AUnitMustBeAProjectUnitOfTheFieldsKind)
{
    OpenDemo();
    struct Case {
        long fieldTypeID;
        QString label, refused, taken;
    };
    const QList<Case> cases{{100001, "Duration", "parsec", "h"}, {100001, "Duration", "MIN", "s"},
                            {100002, "Amount", "Mg", "mg"},      {100002, "Amount", "liter", "g"},
                            {100003, "Volume", "kg", "ml"},      {100004, "Temperature", "c", "K"},
                            {100005, "Material", "kg", ""}};
    const QHash<long, long> fieldOfType = FieldsWithOwnRange({100001, 100002, 100003, 100004, 100005});
    const QString rows =
        "SELECT group_concat(quote(DoubleValue) || quote(UOM), ';') FROM TblFieldData"
        " UNION ALL SELECT group_concat(quote(LowUOM) || quote(HighUOM), ';') FROM TblRangeData";
    for (const Case& c : cases) {
        auto field = FieldObject(COUPLING_STEP, fieldOfType[c.fieldTypeID]);
        ASSERT_TRUE(field) << c.fieldTypeID;
        auto range = Obj(Obj(field, "Ranges"), "Item", {L(0)});
        ASSERT_TRUE(range) << c.fieldTypeID;
        for (const auto& [object, member] : QList<std::pair<std::shared_ptr<CAutomationObject>, QString>>{
                 {field, "UOM"}, {range, "LoUOM"}, {range, "HiUOM"}}) {
            const std::string what =
                c.label.toStdString() + "." + member.toStdString() + " = " + c.refused.toStdString();
            const V old = Get(object, member);
            const QString before = StepValue(COUPLING_STEP, rows).toString();
            const AutomationResult refused = Put(object, member, S(c.refused));
            EXPECT_EQ(refused.error, AutomationError::InvalidArgument) << what;
            EXPECT_EQ(refused.text, "Please select Unit Of Measure for " + c.label + "!") << what;
            EXPECT_EQ(Get(object, member), old) << what;
            EXPECT_EQ(StepValue(COUPLING_STEP, rows).toString(), before) << what;
            if (!c.taken.isEmpty()) {
                EXPECT_TRUE(Put(object, member, S(c.taken)).ok()) << what;
            }
        }
    }
    EXPECT_EQ(StepValue(COUPLING_STEP, "SELECT UOM FROM TblFieldData WHERE FieldID = ?",
                        {qlonglong(fieldOfType[100002])})
                  .toString(),
              "g");
    EXPECT_EQ(Put(FieldObject(COUPLING_STEP, fieldOfType[100001]), "UOM", S("")).error,
              AutomationError::InvalidArgument)
        << "the empty text still means \"unchanged\"";
}

// The limit of 1e35 holds in internal units: 1e34 min (6e35 s) is refused as 1e36 s is, for a
// value given in the field's unit and for a unit that would make the stored value that large.
TEST_F(AutomationModelTest, ValuesBeyondTheUnsetValueInInternalUnitsAreRefused)
{
    OpenDemo();
    const long fieldID = FieldsWithOwnRange({100001}).value(100001);
    EditStep(COUPLING_STEP,
             "UPDATE TblRangeData SET LowUOM = 'min', HighUOM = 'min' WHERE FieldTypeID = 100001");
    EditStep(COUPLING_STEP, "UPDATE TblFieldData SET UOM = 'min' WHERE FieldID = ?", {qlonglong(fieldID)});
    builder.RefreshAutomationModel(COUPLING_STEP);
    auto field = FieldObject(COUPLING_STEP, fieldID);
    ASSERT_TRUE(field);
    auto range = Obj(Obj(field, "Ranges"), "Item", {L(0)});
    for (const auto& [object, member] : QList<std::pair<std::shared_ptr<CAutomationObject>, QString>>{
             {field, "dValue"}, {range, "LoValue"}, {range, "HiValue"}}) {
        const V old = Get(object, member);
        for (const double minutes : {1e34, -1e34, 1.7e33}) {
            const AutomationResult refused = Put(object, member, V::Double(minutes));
            EXPECT_EQ(refused.error, AutomationError::InvalidArgument)
                << member.toStdString() << " " << minutes;
            EXPECT_EQ(refused.text, "Please enter a number for " + member + ".") << member.toStdString();
            EXPECT_EQ(Get(object, member), old) << member.toStdString();
        }
        EXPECT_TRUE(Put(object, member, V::Double(1.6e33)).ok()) << member.toStdString() << ": 9.6e34 s";
    }
    EXPECT_EQ(StepValue(COUPLING_STEP, "SELECT DoubleValue FROM TblFieldData WHERE FieldID = ?",
                        {qlonglong(fieldID)})
                  .toDouble(),
              1.6e33);
    for (const QString& member : {QStringLiteral("UOM"), QStringLiteral("LoUOM"), QStringLiteral("HiUOM")}) {
        auto object = member == "UOM" ? field : range;
        const AutomationResult refused = Put(object, member, S("h")); // 9.6e34 h = 3.5e38 s
        EXPECT_EQ(refused.text, "Please select Unit Of Measure for Duration!") << member.toStdString();
        EXPECT_EQ(Get(object, member).text(), "min") << member.toStdString();
    }
}

// The recipe text written after a parameter change is what the operation reports next.
TEST_F(AutomationModelTest, WriteThroughRereadsTheOperationTexts)
{
    OpenDemo();
    long fieldID = 0;
    auto field = FieldWithRange(COUPLING_STEP, &fieldID);
    ASSERT_TRUE(field);
    auto operation = std::static_pointer_cast<CAutomationObject>(
        std::static_pointer_cast<CQVField>(field)->FindAncestor<CQVOperation>());
    ASSERT_TRUE(operation);
    EditStep(COUPLING_STEP, "UPDATE Operation SET RecipeText = 'Regenerated', RangeText = 'R'");
    ASSERT_TRUE(Put(field, "lValue", L(42)).ok());
    EXPECT_EQ(Get(operation, "RecipeText").text(), "Regenerated");
    EXPECT_EQ(Get(operation, "RangeText").text(), "R");
}

// A field that holds only a long value reads it back after the tree is built again.
TEST_F(AutomationModelTest, ALongValueReadsBackAfterARebuild)
{
    OpenDemo();
    long fieldID = 0;
    ASSERT_TRUE(FieldWithRange(COUPLING_STEP, &fieldID));
    EditStep(COUPLING_STEP, "UPDATE TblFieldData SET DoubleValue = 1e35, LongValue = 42 WHERE FieldID = ?",
             {qlonglong(fieldID)});
    builder.RefreshAutomationModel(COUPLING_STEP);
    auto rebuilt = FieldWithRange(COUPLING_STEP, &fieldID);
    ASSERT_TRUE(rebuilt);
    EXPECT_EQ(Get(rebuilt, "lValue").longValue(), 42);
    EXPECT_EQ(Get(rebuilt, "dValue").doubleValue(), 1e35);
}

// Objects made by Add have no row: the put fails and the old value stays.
TEST_F(AutomationModelTest, SetterWithoutARowFailsAndKeepsTheValue)
{
    OpenDemo();
    auto fields = std::make_shared<CQVFields>();
    auto field = Obj(fields, "Add", {L(7)});
    const AutomationResult result = Put(field, "strValue", S("text"));
    EXPECT_EQ(result.error, AutomationError::Failed);
    EXPECT_EQ(Get(field, "strValue").text(), "");
    auto ups = Obj(Obj(Obj(Obj(Root(), "Processes"), "Item", {L(0)}), "Steps"), "Item", {L(0)});
    auto up = Obj(Obj(ups, "UnitProcedures"), "Item", {L(0)});
    const QString name = Get(up, "Name").text();
    EXPECT_TRUE(Put(up, "Name", S(name.toUpper())).ok()); // equal without case: nothing written
    EXPECT_EQ(Put(up, "Name", S("")).error, AutomationError::InvalidArgument);
    ASSERT_TRUE(Put(up, "Comments", S("Dry first.")).ok());
    EXPECT_EQ(StepValue(COUPLING_STEP, "SELECT UserComments FROM UnitProcedure WHERE UnitProcedureID = ?",
                        QVariantList{qlonglong(std::static_pointer_cast<CQVUnitProcedure>(up)->m_unitProcedureID)}).toString(),
              "Dry first.");
}

// A field held by a script survives RemoveAllGroups and a rebuild, detached with its last values.
TEST_F(AutomationModelTest, HeldObjectsSurviveRebuilds)
{
    OpenDemo();
    long fieldID = 0;
    auto field = FieldWithRange(COUPLING_STEP, &fieldID);
    ASSERT_TRUE(field);
    const double value = Get(field, "dValue").doubleValue();
    auto operation = std::static_pointer_cast<CQVField>(field)->FindAncestor<CQVOperation>();
    operation->RemoveAllGroups();
    EXPECT_EQ(Get(field, "dValue").doubleValue(), value);
    EXPECT_EQ(Put(field, "dValue", V::Double(3)).error, AutomationError::Detached);

    auto processes = Obj(Root(), "Processes");
    builder.RefreshAutomationModel(COUPLING_STEP); // an edit marks the tree stale
    EXPECT_TRUE(builder.IsStale());
    auto rebuilt = Obj(Root(), "Processes");       // the next access rebuilds
    EXPECT_NE(rebuilt, processes);
    EXPECT_TRUE(processes->IsDetached());
    EXPECT_EQ(Get(processes, "Count").longValue(), Get(rebuilt, "Count").longValue());
    EXPECT_EQ(InvokeAutomation(processes, InvokeKind::Call, "Item", {L(0)}).error, AutomationError::Detached);
}

// Plans in table order with the name of their unit set; a missing set gives an empty unit.
TEST_F(AutomationModelTest, PlansWithTheirUnitSets)
{
    OpenDemo();
    const long set = long(ProjectValue("SELECT MIN(UOMSetID) FROM TblUOMSet").toLongLong());
    const QString setName = ProjectValue("SELECT UOMSetName FROM TblUOMSet WHERE UOMSetID = ?", {qlonglong(set)}).toString();
    app.fileSet().projectDatabase->Execute("INSERT INTO ProductionPlan (PlanID, PlanName, StartDateTime, OutputUOMSetID) "
                                           "VALUES (5, 'Weekly', 40000, ?), (6, 'Spare', NULL, 999)",
                                           {qlonglong(set)});
    builder.BuildAutomationModel();
    auto plans = Obj(Root(), "ProductionPlans");
    ASSERT_EQ(Get(plans, "Count").longValue(), 2);
    auto weekly = Obj(plans, "GetProductionPlan", {S("weekly")});
    EXPECT_EQ(Get(weekly, "OutputUOM").text(), setName);
    EXPECT_EQ(Get(weekly, "StartDateTime").type(), VT_DATE);
    EXPECT_EQ(Get(Obj(plans, "Item", {L(1)}), "OutputUOM").text(), "");
    EXPECT_EQ(InvokeAutomation(weekly, InvokeKind::Call, "Simulate").error, AutomationError::NotAvailable);
    EXPECT_EQ(Get(Obj(weekly, "LineItems"), "Count").longValue(), 0);
}
