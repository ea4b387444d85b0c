#include "foundation/common/ServiceSlot.h"
#include "shell/bridge/ImplementedZEVKCallBack.h"

#include <gtest/gtest.h>

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
