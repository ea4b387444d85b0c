#include "AutomationFixture.h"

#include "automation/AutomationEnumerator.h"
#include "automation/QVFields.h"
#include "automation/QVGroups.h"
#include "automation/QVLineItems.h"
#include "automation/QVOperations.h"
#include "automation/QVProcesses.h"
#include "automation/QVProductionPlans.h"
#include "automation/QVRanges.h"
#include "automation/QVSteps.h"
#include "automation/QVUnitProcedures.h"
#include "foundation/common/BusyGuard.h"

namespace {
using V = CAutomationVariant;

std::shared_ptr<CAutomationObject> added(const std::shared_ptr<CAutomationObject>& c, const QString& name)
{
    return InvokeAutomation(c, InvokeKind::Call, "Add", {S(name), S("1")}).value.object();
}

QString nameOf(const std::shared_ptr<CAutomationObject>& o)
{
    return o ? InvokeAutomation(o, InvokeKind::Get, "name").value.text() : QString("null");
}
} // namespace

class AutomationCollectionsTest : public AutomationFixture {
protected:
    // A process collection of three processes made by Add.
    std::shared_ptr<CAutomationObject> ThreeProcesses()
    {
        auto processes = std::make_shared<CQVProcesses>();
        for (const char* name : {"alpha", "beta", "gamma"})
            added(processes, name);
        return processes;
    }
};

// Members are found by name without case and by DISPID in map order; Item is the default value.
TEST_F(AutomationCollectionsTest, MembersByNameAndDispid)
{
    auto processes = ThreeProcesses();
    EXPECT_EQ(Get(processes, "COUNT").longValue(), 3);
    const CAutomationMemberTable& table = processes->Members();
    QStringList order;
    for (const AutomationMember& m : table.members())
        order << QString("%1 %2").arg(m.dispid).arg(m.name);
    EXPECT_EQ(order, (QStringList{"1 Count", "2 Add", "3 Item", "4 Remove", "5 Parent", "6 GetProcess", "-4 _NewEnum"}));
    EXPECT_EQ(nameOf(InvokeAutomation(processes, InvokeKind::Call, 0, {L(1)}).value.object()), "beta");
    const auto range = std::make_shared<CQVRange>(1, 2);
    EXPECT_EQ(range->Members().find("hiwidth")->dispid, 10);
    EXPECT_EQ(range->Members().find("LoWidth")->type, VT_I2);
}

// Misuse: a put on a read-only member, a value that does not convert, the wrong count, no member.
TEST_F(AutomationCollectionsTest, MisuseIsRefusedBeforeTheMemberRuns)
{
    auto processes = ThreeProcesses();
    EXPECT_EQ(Put(processes, "Count", L(5)).error, AutomationError::ReadOnly);
    EXPECT_EQ(InvokeAutomation(processes, InvokeKind::Call, "Item", {S("first")}).error, AutomationError::TypeMismatch);
    EXPECT_EQ(InvokeAutomation(processes, InvokeKind::Call, "Item", {}).error, AutomationError::BadParameterCount);
    EXPECT_EQ(InvokeAutomation(processes, InvokeKind::Get, "Size").error, AutomationError::UnknownMember);
    EXPECT_EQ(nameOf(Obj(processes, "Item", {S("2")})), "gamma"); // text converts to the index
}

TEST_F(AutomationCollectionsTest, ItemRemoveAndFinders)
{
    auto processes = ThreeProcesses();
    EXPECT_EQ(Obj(processes, "Item", {L(3)}), nullptr);
    EXPECT_EQ(Obj(processes, "Item", {L(-1)}), nullptr);
    EXPECT_EQ(nameOf(Obj(processes, "GetProcess", {S("BETA"), S("1")})), "beta");
    EXPECT_EQ(Obj(processes, "GetProcess", {S("beta"), S("2")}), nullptr);
    EXPECT_EQ(nameOf(Obj(processes, "Remove", {S("ALPHA"), S("1")})), "beta"); // the next one
    EXPECT_EQ(Obj(processes, "Remove", {S("gamma"), S("1")}), nullptr);         // was the last
    EXPECT_EQ(Get(processes, "Count").longValue(), 1);
    // A process made by Add has its collection as Parent.
    EXPECT_EQ(Obj(Obj(processes, "Item", {L(0)}), "Parent"), processes);
}

// Field and range types: a long, a known name in any case; anything else refused unchanged.
TEST_F(AutomationCollectionsTest, TypeArgumentsOfAdd)
{
    auto fields = std::make_shared<CQVFields>();
    EXPECT_EQ(Get(Obj(fields, "Add", {L(7)}), "FieldType").longValue(), 7);
    EXPECT_EQ(Get(Obj(fields, "Add", {S("time")}), "FieldType").longValue(), 100068);
    for (const V& refused : {V::Double(7), S("Pressure"), L(7).ByRef()}) {
        const AutomationResult result = InvokeAutomation(fields, InvokeKind::Call, "Add", {refused});
        EXPECT_EQ(result.error, AutomationError::InvalidArgument);
        EXPECT_EQ(result.text, "Please use string or long for FieldType!");
    }
    auto ranges = std::make_shared<CQVRanges>();
    auto range = Obj(ranges, "Add", {S("EquipmentID"), L(2)});
    EXPECT_EQ(Get(range, "RangeType").longValue(), 100094);
    EXPECT_EQ(Obj(ranges, "GetRange", {L(100094), L(2)}), range);
    EXPECT_EQ(InvokeAutomation(ranges, InvokeKind::Call, "Add", {V(), L(1)}).text,
              "Please use string or long for RangeType!");
    EXPECT_EQ(Get(fields, "Count").longValue(), 2);
}

// Add accepts every argument a collection's list names: the keys make the element, the rest are
// taken and left unused; one argument more is refused before anything is added.
TEST_F(AutomationCollectionsTest, AddTakesTheWholeArgumentList)
{
    const V none;
    const QList<V> nine(9, none);
    struct Case {
        std::shared_ptr<CAutomationObject> collection;
        AutomationArgs args;
        QList<std::pair<QString, V>> expected; // member of the new element, its value
    };
    const QList<Case> cases{
        {std::make_shared<CQVProcesses>(),
         {S("Alpha"), S("2"), S("raw"), S("product"), L(0).ByRef(), S("kg"), V::Date(40000), none},
         {{"Name", S("Alpha")}, {"Version", S("2")}}},
        {std::make_shared<CQVSteps>(), AutomationArgs{S("Dry"), S("3"), none, none, none, none, none, L(0)} + nine,
         {{"Name", S("Dry")}, {"Version", S("3")}}},
        {std::make_shared<CQVUnitProcedures>(), {S("Vessel"), L(7), L(0), none},
         {{"Name", S("Vessel")}, {"PrimaryEquipmentUnit", L(-1)}}},
        {std::make_shared<CQVOperations>(), {L(4), L(2), L(0), none}, {{"Operation", L(4)}, {"Model", L(2)}}},
        {std::make_shared<CQVGroups>(), {L(3), L(0), none, none}, {{"GroupType", L(3)}}},
        {std::make_shared<CQVFields>(), {S("Time"), V::Double(5), L(1), none, none}, {{"FieldType", L(100068)}}},
        {std::make_shared<CQVRanges>(), {L(9), L(2), L(0), V::Double(1), S("min"), V::Double(4), S("min")},
         {{"RangeType", L(9)}, {"RangeCategory", L(2)}, {"LoValue", V::Double(1e35)}, {"HiUOM", S("")}}},
        {std::make_shared<CQVProductionPlans>(), {S("Weekly"), V::Date(40000), L(0), S("kg")},
         {{"Name", S("Weekly")}, {"StartDateTime", V::Date(40000)}}},
        {std::make_shared<CQVLineItems>(),
         {S("P"), S("1"), S("S"), S("1"), V::Double(10), S("kg"), L(0), none, none, none, none},
         {{"Quantity", V::Double(0)}}},
    };
    for (const Case& c : cases) {
        const std::string name = c.collection->ClassName().toStdString();
        const AutomationResult added = InvokeAutomation(c.collection, InvokeKind::Call, "Add", c.args);
        ASSERT_TRUE(added.ok()) << name << ": " << added.text.toStdString();
        ASSERT_NE(added.value.object(), nullptr) << name;
        for (const auto& [member, value] : c.expected)
            EXPECT_EQ(Get(added.value.object(), member), value) << name << "." << member.toStdString();
        const AutomationResult tooMany =
            InvokeAutomation(c.collection, InvokeKind::Call, "Add", AutomationArgs(c.args) << none);
        EXPECT_EQ(tooMany.error, AutomationError::BadParameterCount) << name;
        EXPECT_EQ(Get(c.collection, "Count").longValue(), 1) << name;
    }
}

TEST_F(AutomationCollectionsTest, GroupFinderAndPlanKeys)
{
    auto groups = std::make_shared<CQVGroups>();
    auto first = Obj(groups, "Add", {L(4)});
    auto second = Obj(groups, "Add", {L(4)});
    Put(second, "SequenceNumber", L(9));
    Put(second, "GroupIndex", L(2));
    EXPECT_EQ(Obj(groups, "GetGroup", {L(4), L(-1), L(-1)}), first);
    EXPECT_EQ(Obj(groups, "GetGroup", {L(4), L(-1), L(9)}), second);
    EXPECT_EQ(Obj(groups, "GetGroup", {L(4), L(2), L(-1)}), second);
    EXPECT_EQ(Obj(groups, "GetGroup", {L(5), L(-1), L(-1)}), nullptr);

    auto plans = std::make_shared<CQVProductionPlans>();
    const AutomationResult noDate = InvokeAutomation(plans, InvokeKind::Call, "Add", {S("P"), S("2020-01-01")});
    EXPECT_EQ(noDate.text, "Please use date for StartDateTime!");
    auto plan = Obj(plans, "Add", {S("Weekly"), V::Date(40000).ByRef()});
    Obj(plans, "Add", {S("Daily"), V::Date(40001)});
    EXPECT_EQ(Get(plan, "StartDateTime").doubleValue(), 40000);
    EXPECT_TRUE(Put(plan, "StartDateTime", S("tomorrow")).ok()); // ignored
    EXPECT_EQ(Get(plan, "StartDateTime").doubleValue(), 40000);
    EXPECT_EQ(Obj(plans, "Remove", {S("")}), nullptr);
    EXPECT_EQ(InvokeAutomation(plans, InvokeKind::Call, "Remove", {V::Double(0)}).error, AutomationError::InvalidArgument);
    EXPECT_EQ(nameOf(Obj(plans, "Remove", {S("WEEKLY")})), "Daily");
    EXPECT_EQ(Obj(plans, "Remove", {L(0)}), nullptr);
    EXPECT_EQ(Get(plans, "Count").longValue(), 0);
}

// Each _NewEnum is its own snapshot with its own cursor.
TEST_F(AutomationCollectionsTest, EnumeratorsAreIndependentSnapshots)
{
    auto processes = ThreeProcesses();
    auto first = std::dynamic_pointer_cast<CAutomationEnumerator>(Obj(processes, "_NewEnum"));
    auto second = std::dynamic_pointer_cast<CAutomationEnumerator>(Obj(processes, "_NewEnum"));
    ASSERT_TRUE(first && second);
    QList<V> out;
    EXPECT_EQ(first->Next(2, &out, nullptr), ENUM_E_INVALIDARG);
    long fetched = -1;
    EXPECT_EQ(first->Skip(0), ENUM_S_OK);
    EXPECT_EQ(first->Next(1, &out, nullptr), ENUM_S_OK);
    EXPECT_EQ(nameOf(out[0].object()), "alpha");
    added(processes, "delta"); // not in either snapshot; no cursor moves
    EXPECT_EQ(first->Skip(2), ENUM_S_OK);
    EXPECT_EQ(first->Next(3, &out, &fetched), ENUM_S_FALSE);
    EXPECT_EQ(fetched, 0);
    auto clone = second->Clone();
    EXPECT_EQ(second->Next(3, &out, &fetched), ENUM_S_OK);
    EXPECT_EQ(nameOf(out[2].object()), "gamma");
    EXPECT_EQ(clone->Rest().size(), 3);
    EXPECT_EQ(second->Skip(1), ENUM_S_FALSE);
}

// A removed element stays usable: getters answer its last values, puts and calls raise Detached.
TEST_F(AutomationCollectionsTest, RemovedElementIsDetached)
{
    auto groups = std::make_shared<CQVGroups>();
    auto group = Obj(groups, "Add", {L(4)});
    auto field = Obj(Obj(group, "Fields"), "Add", {L(7)});
    Obj(groups, "Remove", {L(0)});
    EXPECT_EQ(Get(field, "FieldType").longValue(), 7);
    EXPECT_EQ(Put(field, "FieldType", L(8)).error, AutomationError::Detached);
    EXPECT_EQ(InvokeAutomation(field, InvokeKind::Call, "Ranges").error, AutomationError::Detached);
}

TEST_F(AutomationCollectionsTest, CallsWhileBusyAnswerBusy)
{
    auto processes = ThreeProcesses();
    CBusyScope busy;
    EXPECT_EQ(InvokeAutomation(processes, InvokeKind::Get, "Count").error, AutomationError::Busy);
}
