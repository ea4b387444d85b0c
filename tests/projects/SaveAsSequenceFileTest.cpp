// Save As elsewhere writes the plans' sequence files from the working-copy folder with the rest of
// the project; a template takes none; a file that cannot be written fails the whole Save As.

#include "ProjectFixture.h"

#include "foundation/common/concerns/AppContext.h"
#include "projects/SaveAsProjectDialog.h"

#include <QComboBox>
#include <QDir>
#include <QFileInfo>
#include <QLineEdit>

namespace {
const QByteArray SEQUENCE = "1, 1, 1001, 1001, 2, 2, 3, Coupling (1.0) Batch 1, 1 Charge";
}

class SaveAsSequenceFileTest : public ProjectFixture {
protected:
    bool SaveAs(const QString& name, const QString& directory, bool templateType)
    {
        projectDialogs.expectDialog<CSaveAsProjectDialog>([=](CSaveAsProjectDialog& dialog) {
            dialog.TypeCombo()->setCurrentText(templateType ? TEMPLATE_FILE_TYPE : PROJECT_FILE_TYPE);
            dialog.NameEdit()->setText(name);
            dialog.DirectoryEdit()->setText(directory);
            return dialog.OnOK() ? int(IDOK) : int(IDCANCEL);
        });
        return manager.SaveProjectAs();
    }
    // Plan 4 "Week:1" with its sequence edited in the session; the project folder keeps the saved one.
    void OpenWithEditedSequence()
    {
        OpenDemo();
        EditProject("INSERT INTO ProductionPlan (PlanID, PlanName) VALUES (4, 'Week:1')");
        WriteTextFile(instanceDir() + "Week_1_User_Sim_Def_4.txt", SEQUENCE);
        WriteTextFile(projectDir() + "Week_1_User_Sim_Def_4.txt", "as last saved");
    }
};

TEST_F(SaveAsSequenceFileTest, ThePlansSequenceFileFollowsTheProjectAndSurvivesItsReopen)
{
    OpenWithEditedSequence();
    ASSERT_TRUE(SaveAs("Copy", root() + "work/Copy", false));
    EXPECT_EQ(app.fileSet().projectDir, root() + "work/Copy/"); // reopened there
    EXPECT_EQ(FileBytes(root() + "work/Copy/Week_1_User_Sim_Def_4.txt"), SEQUENCE);
    EXPECT_EQ(FileBytes(instanceDir() + "Week_1_User_Sim_Def_4.txt"), SEQUENCE); // the new project's copy
    EXPECT_EQ(FileBytes(projectDir() + "Week_1_User_Sim_Def_4.txt"), "as last saved"); // the old one stays
}

TEST_F(SaveAsSequenceFileTest, ATemplateTakesNoSequenceFile)
{
    OpenWithEditedSequence();
    prompts.expect(IDYES); // any template question
    ASSERT_TRUE(SaveAs("Tpl", root() + "templates", true));
    EXPECT_FALSE(QFileInfo::exists(root() + "templates/Week_1_User_Sim_Def_4.txt"));
}

TEST_F(SaveAsSequenceFileTest, ASequenceFileThatCannotBeWrittenFailsTheSaveAsAndWritesNothing)
{
    OpenWithEditedSequence();
    const QString target = root() + "work/Copy/";
    WriteTextFile(target + "Week_1_User_Sim_Def_4.txt.tmp/in the way", "x");
    prompts.expect(IDOK);
    EXPECT_FALSE(SaveAs("Copy", target, false));
    EXPECT_EQ(prompts.lastText(), "File " + target + "Week_1_User_Sim_Def_4.txt could not be opened!");
    EXPECT_EQ(QDir(target).entryList(QDir::Files), QStringList());
    EXPECT_EQ(app.fileSet().projectDir, projectDir()); // the open project stays as it was
    EXPECT_TRUE(app.isProjectModified());
}
