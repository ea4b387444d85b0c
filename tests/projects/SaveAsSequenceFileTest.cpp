// Save As elsewhere takes the plans' sequence files along; a template does not.

#include "ProjectFixture.h"

#include "foundation/common/AppContext.h"
#include "projects/SaveAsProjectDialog.h"

#include <QComboBox>
#include <QFileInfo>
#include <QLineEdit>

namespace {
const QByteArray SEQUENCE = "1, 1, 1001, 1001, 2, 2, 3, Coupling (1.0) Batch 1, 1 Charge";
}

class SaveAsSequenceFileTest : public ProjectFixture {
protected:
    void SaveAs(const QString& name, const QString& directory, bool templateType)
    {
        projectDialogs.expectDialog<CSaveAsProjectDialog>([=](CSaveAsProjectDialog& dialog) {
            dialog.TypeCombo()->setCurrentText(templateType ? TEMPLATE_FILE_TYPE : PROJECT_FILE_TYPE);
            dialog.NameEdit()->setText(name);
            dialog.DirectoryEdit()->setText(directory);
            return dialog.OnOK() ? int(IDOK) : int(IDCANCEL);
        });
        ASSERT_TRUE(manager.SaveProjectAs());
    }
};

TEST_F(SaveAsSequenceFileTest, ThePlansSequenceFileFollowsTheProjectAndSurvivesItsReopen)
{
    OpenDemo();
    EditProject("INSERT INTO ProductionPlan (PlanID, PlanName) VALUES (4, 'Week:1')");
    WriteTextFile(projectDir() + "Week_1_User_Sim_Def_4.txt", SEQUENCE);
    SaveAs("Copy", root() + "work/Copy", false);
    EXPECT_EQ(app.fileSet().projectDir, root() + "work/Copy/"); // reopened there
    EXPECT_EQ(FileBytes(root() + "work/Copy/Week_1_User_Sim_Def_4.txt"), SEQUENCE);
    EXPECT_EQ(FileBytes(projectDir() + "Week_1_User_Sim_Def_4.txt"), SEQUENCE); // the old one stays
}

TEST_F(SaveAsSequenceFileTest, ATemplateTakesNoSequenceFile)
{
    OpenDemo();
    EditProject("INSERT INTO ProductionPlan (PlanID, PlanName) VALUES (4, 'Week:1')");
    WriteTextFile(projectDir() + "Week_1_User_Sim_Def_4.txt", SEQUENCE);
    prompts.expect(IDYES); // any template question
    SaveAs("Tpl", root() + "templates", true);
    EXPECT_FALSE(QFileInfo::exists(root() + "templates/Week_1_User_Sim_Def_4.txt"));
}
