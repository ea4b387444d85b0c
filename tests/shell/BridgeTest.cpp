#include "foundation/common/ServiceSlot.h"
#include "shell/bridge/ImplementedZEVKCallBack.h"
#include "shell/bridge/ManagedSideStandIn.h"

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
