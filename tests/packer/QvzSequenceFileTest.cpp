// A package carries the plans' sequence files along with the project's databases: the open
// project's, from its working-copy folder.

#include "PackerTestSupport.h"
#include "foundation/common/UserSimSequenceFile.h"
#include "foundation/db/connection/DaoDatabase.h"
#include "modules/packer/QvzFormat.h"
#include "modules/packer/QvzPacker.h"

#include <QDir>

TEST_F(PackerFixture, PlansSequenceFilesTravelInThePackage)
{
    {
        CDaoDatabase project;
        project.Open(demoDir() + "Demo.prj", DatabaseRole::ReadWrite);
        project.Execute("INSERT INTO ProductionPlan (PlanID, PlanName) VALUES (4, 'Week:1'), (5, 'Unsequenced')");
    }
    const QByteArray content = "1, 1, 1001, 1001, 2, 2, 3, Coupling (1.0) Batch 1, 1 Charge";
    const QString working = root() + "instance/";
    app.fileSet().workingCopyDir = working;
    WriteAllBytes(working + "Week_1_User_Sim_Def_4.txt", content);
    WriteAllBytes(working + "Stray_User_Sim_Def_9.txt", "not this project's");
    WriteAllBytes(demoDir() + "Week_1_User_Sim_Def_4.txt", "as last saved");

    QList<QvzMember> members;
    QString error;
    ASSERT_TRUE(ListQvzMembers(demoDir(), "Demo", members, error)) << error.toStdString();
    EXPECT_EQ(members.last().sourcePath, demoDir() + "Week_1_User_Sim_Def_4.txt");
    ASSERT_TRUE(ListQvzMembers(demoDir(), "Demo", members, error, working)) << error.toStdString();
    EXPECT_EQ(members.last().entryName, "Week_1_User_Sim_Def_4.txt");
    EXPECT_EQ(members.last().sourcePath, working + "Week_1_User_Sim_Def_4.txt");
    EXPECT_TRUE(IsQvzMemberName("Week_1_User_Sim_Def_4.txt", "Demo"));

    CQvzPacker packer;
    ASSERT_TRUE(packer.CreatePackage(demoDir(), demoPackage(), false)) << packer.ErrorText().toStdString();
    ASSERT_TRUE(packer.ExpandPackage(demoPackage(), root() + "work/Demo")) << packer.ErrorText().toStdString();
    EXPECT_EQ(ReadAllBytes(root() + "work/Demo/Week_1_User_Sim_Def_4.txt"), content);
    EXPECT_FALSE(QFile::exists(root() + "work/Demo/Stray_User_Sim_Def_9.txt"));
}
