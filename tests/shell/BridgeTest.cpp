#include "shell/bridge/ImplementedZEVKCallBack.h"
#include "shell/bridge/ManagedSideStandIn.h"
#include "foundation/common/ServiceSlot.h"

#include <gtest/gtest.h>

TEST(ManagedSideStandIn, DisplayListsTranslateBothWaysAndUnknownsFail)
{
    CManagedSideStandIn side;
    EXPECT_EQ(side.DotNetInvokeGetDisplayVector("PressureListData"),
              QStringList({"Pa", "kPa", "bar", "atm", "psi (abs)", "mm Hg"}));
    EXPECT_TRUE(side.DotNetInvokeGetDisplayVector("NoSuchListData").isEmpty());
    QString out = "kept";
    EXPECT_TRUE(side.DotNetInvokeGetDisplayValue(out, "pressurelistdata", "PSIA"));
    EXPECT_EQ(out, "psi (abs)");
    EXPECT_TRUE(side.DotNetInvokeGetKeyValue(out, "PressureListData", "psi (abs)"));
    EXPECT_EQ(out, "psia");
    out = "kept";
    EXPECT_FALSE(side.DotNetInvokeGetDisplayValue(out, "PressureListData", "furlong"));
    EXPECT_FALSE(side.DotNetInvokeGetKeyValue(out, "AirListData", "Helium"));
    EXPECT_EQ(out, "kept");
}

TEST(ManagedSideStandIn, EditorsChangeNothingAndSayNothingChanged)
{
    CManagedSideStandIn side;
    QString comments = "unchanged";
    EXPECT_FALSE(side.DotNetInvokeOperationDialog(3, 9, -1, &comments).has_value());
    EXPECT_EQ(comments, "unchanged");
    EXPECT_FALSE(side.DotNetInvokeDataEquipment(1, -1, {}));
    QString result = "old";
    EXPECT_FALSE(side.DotNetInvokeProcessOperation(3, "Charge", 9, result));
    EXPECT_EQ(result, "old");
    EXPECT_TRUE(side.DotNetStreamUsedInOtherOperation(3, 9).isEmpty());
    EXPECT_TRUE(side.DotNetRuntimeLookupMatParams());
}

TEST(ImplementedZEVKCallBack, LooksUpCompoundFileMembersOnlyThroughTheInstalledLookUp)
{
    ImplementedZEVKCallBack callBack;
    QString out = "none";
    EXPECT_FALSE(callBack.GetMaterialOrEquipmentFileFromQvzFile(1, "/w/", "Lib", out));
    EXPECT_EQ(out, "none");
    struct LibraryNames : QvzFileLookup {
        bool GetMaterialOrEquipmentFileFromQvzFile(int kind, const QString& folder, const QString& name,
                                                   QString& o) override
        {
            o = folder + name + (kind == 1 ? ".mtl" : ".eqm");
            return true;
        }
    } lookup;
    ServiceInstallations installed;
    installed.Install<QvzFileLookup>(&lookup);
    EXPECT_TRUE(callBack.GetMaterialOrEquipmentFileFromQvzFile(1, "/w/", "Lib", out));
    EXPECT_EQ(out, "/w/Lib.mtl");
}
