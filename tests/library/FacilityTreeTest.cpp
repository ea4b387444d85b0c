// The Facility Explorer's fill, texts, icons, kinds and selection on generated projects.

#include "FacilityFixture.h"
#include "library/FacilityCommandIds.h"
#include "library/FacilityTreeIcons.h"

TEST_F(FacilityFixture, FillShowsFacilitiesClassesAndEquipmentWithTheirDetailsAndSelectsTheLastFacility)
{
    ASSERT_TRUE(tree.FillTree());
    EXPECT_EQ(Outline(), QStringList({"Eastfield Kilo Lab", "Ridgemont Pilot Plant", "  Centrifuge",
                                      "    C-201 (400.00 liter; Hastelloy)", "  Dryer", "    D-301 (1000.00 liter)",
                                      "  Mill", "    M-401 (100.00 liter)", "  Reactor",
                                      "    R-101 (2000.00 liter; SS316)", "    R-102 (2500.00 liter; Glass-lined)"}));
    EXPECT_EQ(tree.tree()->currentItem(), Facility("Eastfield Kilo Lab")); // inserted last, by the second pass
    EXPECT_EQ(tree.GetSelectedItemKind(), FACILITY_KIND_EMPTY_FACILITY);
}

TEST_F(FacilityFixture, EquipmentTextTakesCapacityAndMaterialWhenPresent)
{
    struct Case {
        const char* capacity; // SQL value of DoubleValue
        const char* unit;
        const char* material; // SQL value of TextValue, or null for no row
        const char* text;
    };
    const Case cases[] = {{"12.5", "'m3'", nullptr, "P-101 (12.50 m3)"},
                          {"12.5", "'m3'", "'SS316'", "P-101 (12.50 m3; SS316)"},
                          {"NULL", "'m3'", "'SS316'", "P-101 (SS316)"},
                          {"1e35", "'m3'", nullptr, "P-101"},
                          {"NULL", "NULL", "''", "P-101"}};
    for (const Case& c : cases) {
        equipment.Execute("DELETE FROM ActualEquipmentProperty WHERE ActualEquipmentID = 900");
        equipment.Execute("DELETE FROM ActualEquipmentCommon WHERE ActualEquipmentID = 900");
        equipment.Execute("INSERT INTO ActualEquipmentCommon (ActualEquipmentID, QVTag, EquipmentClassID, PlantID) "
                          "VALUES (900, 'P-101', 1, 100)");
        equipment.Execute(QString("INSERT INTO ActualEquipmentProperty (ActualEquipmentID, PropertyName, DoubleValue, "
                                  "ValueUOM) VALUES (900, 'Capacity', %1, %2)")
                              .arg(c.capacity, c.unit));
        if (c.material)
            equipment.Execute(QString("INSERT INTO ActualEquipmentProperty (ActualEquipmentID, PropertyName, "
                                      "TextValue) VALUES (900, 'Material OF Construction', %1)")
                                  .arg(c.material));
        ASSERT_TRUE(tree.RefreshTree());
        QTreeWidgetItem* lab = Facility("Eastfield Kilo Lab");
        ASSERT_TRUE(lab && lab->childCount() == 1);
        EXPECT_EQ(lab->child(0)->child(0)->text(0), c.text) << c.text;
    }
}

TEST_F(FacilityFixture, RowsWithoutClassNameOrTagAddNoItemAndTwinNamesBothShow)
{
    equipment.Execute("INSERT INTO ActualEquipmentCommon (ActualEquipmentID, QVTag, EquipmentClassID, PlantID) "
                      "VALUES (901, 'X-1', 77, 100), (902, '', 1, 100)"); // class 77 has no EquipmentClass row
    equipment.Execute("INSERT INTO Plant (PlantID, PlantName) VALUES (5, 'Ridgemont Pilot Plant')");
    equipment.Execute("INSERT INTO \"Plant-To-Project\" (PlantID, ProjectID, PlantName) VALUES (5, 1, "
                      "'Ridgemont Pilot Plant')");
    ASSERT_TRUE(tree.FillTree());
    QTreeWidgetItem* lab = Facility("Eastfield Kilo Lab");
    ASSERT_TRUE(lab);
    ASSERT_EQ(lab->childCount(), 1); // the Reactor class; the tagless item and class 77 add nothing below it
    EXPECT_EQ(lab->child(0)->childCount(), 0);
    EXPECT_EQ(tree.tree()->findItems("Ridgemont Pilot Plant", Qt::MatchExactly).size(), 2); // matched by id
}

TEST_F(FacilityFixture, KindAndFacilityOfEachSelection)
{
    ASSERT_TRUE(tree.FillTree());
    QTreeWidgetItem* plant = Facility("Ridgemont Pilot Plant");
    equipment.Execute("INSERT INTO EquipmentClass (EquipmentClassID, ClassName) VALUES (54, 'Empty')");
    struct Case {
        QTreeWidgetItem* item;
        int kind;
        long facility;
    };
    auto* emptyClass = new QTreeWidgetItem(QStringList("Empty"));
    plant->addChild(emptyClass);
    const Case cases[] = {{nullptr, FACILITY_KIND_NONE, -1},
                          {plant, FACILITY_KIND_FACILITY, 1},
                          {Facility("Eastfield Kilo Lab"), FACILITY_KIND_EMPTY_FACILITY, 100},
                          {plant->child(0), FACILITY_KIND_CLASS, 1},
                          {emptyClass, FACILITY_KIND_EMPTY_CLASS, 1},
                          {plant->child(0)->child(0), FACILITY_KIND_EQUIPMENT, 1}};
    for (const Case& c : cases) {
        tree.tree()->clearSelection();
        if (c.item)
            tree.tree()->setCurrentItem(c.item);
        EXPECT_EQ(tree.GetSelectedItemKind(), c.kind);
        EXPECT_EQ(tree.GetSelectedFacilityID(), c.facility);
        for (int id : {ID_FACILITY_EDIT, ID_FACILITY_DELETE, ID_FACILITY_NEW_EQUIPMENT})
            EXPECT_EQ(tree.IsCommandEnabled(id), c.kind != FACILITY_KIND_NONE) << id;
    }
}

TEST(FacilityTreeIcons, TellingRowsAndTheDefaultPair)
{
    const std::tuple<long, int, int> rows[] = {{1, 232, 241},     {54, 158, 272}, {66, 482, 483},
                                               {103, 15020, 15021}, {113, 541, 541}, {121, 191, 191},
                                               {7, 191, 290},       {200, 191, 290}};
    for (const auto& [classID, normal, selected] : rows)
        EXPECT_EQ(EquipmentClassIcons(classID), std::make_pair(normal, selected)) << classID;
    EXPECT_NE(EquipmentClassIcons(2), EquipmentClassIcons(3));
    EXPECT_NE(EquipmentClassIcons(2).first, 191);
}

TEST_F(FacilityFixture, ItemsCarryTheirClassIconsAndFacilitiesTheirOwn)
{
    ASSERT_TRUE(tree.FillTree());
    QTreeWidgetItem* plant = Facility("Ridgemont Pilot Plant");
    EXPECT_EQ(plant->data(0, FACILITY_ICON_ROLE).toInt(), FACILITY_ICON);
    EXPECT_EQ(plant->data(0, FACILITY_SEL_ICON_ROLE).toInt(), FACILITY_SELECTED_ICON);
    QTreeWidgetItem* reactors = plant->child(3);
    ASSERT_EQ(reactors->text(0), "Reactor");
    EXPECT_EQ(reactors->child(0)->data(0, FACILITY_ICON_ROLE).toInt(), 232);
    EXPECT_EQ(reactors->child(0)->data(0, FACILITY_SEL_ICON_ROLE).toInt(), 241);
}
