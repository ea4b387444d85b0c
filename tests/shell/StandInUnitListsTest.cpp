// The managed stand-in's unit lists: its own table, with the library's volume keys, and every other
// "<kind>ListData" from the open project's unit library, each unit its own text.

#include "FakeAppContext.h"
#include "foundation/db/connection/DaoDatabase.h"
#include "foundation/db/content/ProjectGenerator.h"
#include "shell/bridge/ManagedSideStandIn.h"

#include <QSqlQuery>
#include <gtest/gtest.h>

TEST(StandInUnitLists, VolumeKeysAreTheLibrarysAndOtherKindsComeFromTheProject)
{
    FakeAppContext app;
    CManagedSideStandIn side;
    EXPECT_TRUE(side.DotNetInvokeGetDisplayVector("AreaListData").isEmpty()); // no project yet
    ASSERT_TRUE(CProjectGenerator().WriteBlankTemplate(app.root(), "Blank"));
    app.fileSet().projectDatabase = std::make_unique<CDaoDatabase>();
    app.fileSet().projectDatabase->Open(app.root() + "Blank.qvt", DatabaseRole::ReadWrite);

    QString out;
    EXPECT_TRUE(side.DotNetInvokeGetDisplayValue(out, "VolumeListData", "cubic M"));
    EXPECT_EQ(out, "m\u00b3");
    EXPECT_TRUE(side.DotNetInvokeGetKeyValue(out, "VolumeListData", "L"));
    EXPECT_EQ(out, "liter");
    EXPECT_EQ(side.DotNetInvokeGetDisplayVector("TemperatureListData"),
              QStringList({"K", "\u00b0C", "\u00b0F", "\u00b0R"})); // the table wins over the library

    QStringList areas;
    QSqlQuery query = app.fileSet().projectDatabase->Query(
        "SELECT Unit FROM TblUnitsLibrary WHERE Quantity = 'Area' ORDER BY RowKey");
    while (query.next())
        areas << query.value(0).toString();
    ASSERT_FALSE(areas.isEmpty());
    EXPECT_EQ(side.DotNetInvokeGetDisplayVector("AreaListData"), areas);
    EXPECT_TRUE(side.DotNetInvokeGetDisplayValue(out, "AreaListData", "sq FT"));
    EXPECT_EQ(out, "Sq ft");
    EXPECT_TRUE(side.DotNetInvokeGetKeyValue(out, "AreaListData", "Sq m"));
    EXPECT_EQ(out, "Sq m");
    EXPECT_FALSE(side.DotNetInvokeGetKeyValue(out, "AreaListData", "acre-foot"));
    EXPECT_TRUE(side.DotNetInvokeGetDisplayVector("NoSuchListData").isEmpty());
}
