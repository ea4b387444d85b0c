// The Facility Explorer in the real application: the Demo's facilities and equipment at open, an
// empty pane after close.

#include "RecipeShellFixture.h"
#include "foundation/common/CommandDispatcher.h"
#include "library/FacilityCommandIds.h"
#include "library/FacilityTree.h"
#include "shell/bridge/ManagedSideStandIn.h"

class FacilityExplorerShellTest : public RecipeShellFixture {
protected:
    CFacilityTree* facilityPane() const
    {
        return qobject_cast<CFacilityTree*>(frame->pane(PaneID::FacilityExplorer)->widget());
    }
    QTreeWidget* facilityTree() const { return facilityPane() ? facilityPane()->tree() : nullptr; }
};

TEST_F(FacilityExplorerShellTest, TheDemoShowsItsPlantsAndTheirEquipment)
{
    QTreeWidget* tree = facilityTree();
    ASSERT_NE(tree, nullptr);
    QStringList facilities;
    for (int i = 0; i < tree->topLevelItemCount(); ++i)
        facilities << tree->topLevelItem(i)->text(0);
    EXPECT_EQ(facilities, QStringList({"Eastfield Kilo Lab", "Ridgemont Pilot Plant"}));
    QTreeWidgetItem* plant = tree->topLevelItem(1);
    ASSERT_GT(plant->childCount(), 0);
    EXPECT_GT(plant->child(0)->childCount(), 0);
    EXPECT_EQ(tree->topLevelItem(0)->childCount(), 0);

    tree->setCurrentItem(plant->child(0)->child(0));
    EXPECT_EQ(GetSelectedFacilityID(), CProjectGenerator::PLANT_ID);

    ASSERT_TRUE(app->CloseProject(SaveAnswer::Discard));
    EXPECT_EQ(tree->topLevelItemCount(), 0);
}

// New Equipment reaches the managed side's editor with the selected facility, and the tree is
// filled again afterwards.
TEST_F(FacilityExplorerShellTest, NewEquipmentOpensTheManagedEditorOfTheSelectedFacility)
{
    CManagedSideStandIn side;
    IManagedSide* previous = SetManagedSide(&side);
    QTreeWidget* tree = facilityTree();
    ASSERT_NE(tree, nullptr);
    tree->setFocus();
    tree->setCurrentItem(tree->topLevelItem(1));
    DispatchCommand(ID_FACILITY_NEW_EQUIPMENT, facilityPane());
    SetManagedSide(previous);
    EXPECT_EQ(side.notifications(),
              QStringList{QString("InvokeDataEquipment %1 -1").arg(CProjectGenerator::PLANT_ID)});
    EXPECT_EQ(tree->topLevelItemCount(), 2);
}
