// Bus paths of the scripting objects and the lifetime of a program started for scripts.

#include "AutomationFixture.h"
#include "automation/AutomationBusPaths.h"
#include "automation/AutomationBusTypes.h"
#include "automation/AutomationLifetime.h"
#include "automation/AutomationObject.h"

#include <QDBusObjectPath>
#include <QDBusVariant>

namespace {
class AutomationBusPathsTest : public AutomationFixture {};

// Every object of the walk down to the ranges.
QList<std::shared_ptr<CAutomationObject>> walkAll(CAutomationPathMap& paths, const QString& path)
{
    QList<std::shared_ptr<CAutomationObject>> found;
    if (auto object = paths.Resolve(path))
        found << object;
    for (const QString& node : paths.ChildNodes(path))
        found += walkAll(paths, (path == QLatin1String("/") ? QString() : path) + QLatin1Char('/') + node);
    return found;
}
} // namespace

TEST_F(AutomationBusPathsTest, EveryObjectOfTheTreeHasAPathThatLeadsBackToIt)
{
    OpenDemo();
    CAutomationPathMap paths(builder);
    const auto objects = walkAll(paths, QStringLiteral("/"));
    ASSERT_GT(objects.size(), 100);
    for (const auto& object : objects)
        EXPECT_EQ(paths.Resolve(paths.PathOf(object)), object) << paths.PathOf(object).toStdString();
    EXPECT_EQ(paths.PathOf(nullptr), QStringLiteral("/"));
    EXPECT_EQ(paths.Resolve(QStringLiteral("/Application/Processes")), nullptr);
    EXPECT_EQ(paths.Resolve(QStringLiteral("/Processes/999999")), nullptr);
}

TEST_F(AutomationBusPathsTest, PathsOutliveARebuildAndScriptObjectsAreNumbered)
{
    OpenDemo();
    CAutomationPathMap paths(builder);
    const QString path = paths.PathOf(Obj(Obj(Root(), "Processes"), "Item", {L(0)}));
    builder.BuildAutomationModel();
    ASSERT_NE(paths.Resolve(path), nullptr);
    EXPECT_EQ(paths.PathOf(paths.Resolve(path)), path);

    const auto added = Obj(Obj(Root(), "Processes"), "Add", {S("New"), S("1")});
    const QString addedPath = paths.PathOf(added);
    EXPECT_TRUE(addedPath.startsWith(QStringLiteral("/Processes/new"))) << addedPath.toStdString();
    EXPECT_EQ(paths.PathOf(added), addedPath); // the same number each time
    EXPECT_EQ(paths.Resolve(addedPath), added);
}

// What was found at a path is found again only while it still lives there.
TEST_F(AutomationBusPathsTest, KeptPathsFollowRemovalsRebuildsAndAdditions)
{
    OpenDemo();
    CAutomationPathMap paths(builder);
    const auto steps = Obj(Obj(Obj(Root(), "Processes"), "Item", {L(0)}), "Steps");
    const QString stepsPath = paths.PathOf(steps);
    const QStringList stepPaths = paths.ElementPaths(steps);
    ASSERT_GE(stepPaths.size(), 2);
    for (qsizetype i = 0; i < stepPaths.size(); ++i)
        EXPECT_EQ(stepPaths[i], paths.PathOf(Obj(steps, "Item", {L(long(i))})));
    const auto first = paths.Resolve(stepPaths[0]);
    ASSERT_EQ(paths.Resolve(stepPaths[0] + "/UnitProcedures"), Obj(first, "UnitProcedures"));

    Call(steps, "Remove", {S(Get(first, "Name").text()), S(Get(first, "Version").text())});
    EXPECT_EQ(paths.Resolve(stepPaths[0]), nullptr);
    EXPECT_EQ(paths.Resolve(stepPaths[0] + "/UnitProcedures"), nullptr);
    EXPECT_EQ(paths.Resolve(stepsPath), steps);

    const auto added = Obj(steps, "Add", {S("Added"), S("1")});
    const QStringList withAdded = paths.ElementPaths(steps);
    EXPECT_TRUE(withAdded.last().startsWith(stepsPath + "/new")) << withAdded.last().toStdString();
    EXPECT_EQ(paths.Resolve(withAdded.last()), added);

    builder.RefreshAutomationModel(0); // stale: the next root access rebuilds
    const auto rebuilt = paths.Resolve(stepPaths[1]);
    ASSERT_NE(rebuilt, nullptr);
    EXPECT_FALSE(rebuilt->IsDetached());
    const auto back = paths.Resolve(stepPaths[0]); // the removed step is read again
    ASSERT_NE(back, nullptr);
    EXPECT_NE(back, first);
    EXPECT_NE(paths.Resolve(stepsPath), steps);
    EXPECT_EQ(paths.Resolve(withAdded.last()), nullptr);
}

TEST(AutomationBusTypesTest, ValuesTravelAsTheirBusTypes)
{
    const BusPathOf pathOf = [](const std::shared_ptr<CAutomationObject>& o) {
        return o ? QStringLiteral("/x") : QStringLiteral("/");
    };
    EXPECT_EQ(ToBusValue(L(7), VT_I4, pathOf).userType(), QMetaType::Int);
    EXPECT_EQ(ToBusValue(L(7), VT_I2, pathOf).userType(), QMetaType::Short);
    EXPECT_EQ(ToBusValue(S("2.5"), VT_R8, pathOf).toDouble(), 2.5); // converted in the C locale
    EXPECT_EQ(ToBusValue(CAutomationVariant(), VT_DISPATCH, pathOf).value<QDBusObjectPath>().path(), "/");
    EXPECT_EQ(BusSignature(VT_DATE), "(s)");
    EXPECT_EQ(BusSignature(VT_VARIANT), "v");

    const BusObjectAt nowhere = [](const QString&) { return std::shared_ptr<CAutomationObject>(); };
    CAutomationVariant in;
    ASSERT_TRUE(FromBusValue(QVariant::fromValue(QDBusVariant(QVariant(3))), &in, nowhere));
    EXPECT_EQ(in, L(3));
    ASSERT_TRUE(FromBusValue(QVariant::fromValue(QDBusObjectPath("/")), &in, nowhere));
    EXPECT_EQ(in.object(), nullptr);
    EXPECT_FALSE(FromBusValue(QVariant::fromValue(QDBusObjectPath("/Gone")), &in, nowhere));
    EXPECT_FALSE(FromBusValue(QVariant(QStringList{"a"}), &in, nowhere));
}

TEST(AutomationLifetimeTest, ClosesOnlyWhenNothingHoldsItAndNobodyControlsIt)
{
    struct Case {
        const char* what;
        bool peerStays, model, visiblePut, closes;
    };
    const Case cases[] = {
        {"the last peer leaves after a Visible put of 0", false, false, true, true},
        {"the peer leaves, user control kept from its first call", false, false, false, false},
        {"the tree still holds the program", false, true, true, false},
        {"a peer is still on the bus", true, false, true, false},
    };
    for (const Case& c : cases) {
        int closes = 0;
        bool model = c.model;
        CAutomationLifetime lifetime([&] { ++closes; }, [&] { return model; });
        lifetime.PeerCalled(":1.5");
        EXPECT_TRUE(lifetime.UserControl()) << c.what;
        if (c.visiblePut)
            lifetime.SetUserControl(false);
        if (!c.peerStays)
            lifetime.PeerLeft(":1.5");
        lifetime.CloseIfUnlocked();
        EXPECT_EQ(closes, c.closes ? 1 : 0) << c.what;
    }
}
