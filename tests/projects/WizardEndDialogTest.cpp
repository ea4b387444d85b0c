#include "ProjectFixture.h"

#include "projects/WizardEndDialog.h"

#include <QLabel>
#include <QPlainTextEdit>

class WizardEndDialogTest : public ProjectFixture {};

// Close writes the description into the open project, marks it modified and gives the frame the
// text; without a project nothing is written. Either way the window hides through the frame.
TEST_F(WizardEndDialogTest, CloseWritesTheDescriptionOfAnOpenProject)
{
    OpenDemo();
    for (const bool withProject : {true, false}) {
        app.setProjectModified(false);
        int hides = 0;
        CWizardEndDialog dialog;
        dialog.SetHideRequest([&hides] { ++hides; });
        dialog.SetProject(withProject ? "Demo" : QString(), projectPath(".prj"), "Old");
        EXPECT_EQ(dialog.NameLabel()->text(), withProject ? "Demo" : "No project open yet");
        dialog.DescriptionEdit()->setPlainText(withProject ? "Two routes" : "Ignored");
        dialog.OnOK();
        EXPECT_EQ(hides, 1);
        EXPECT_EQ(app.isProjectModified(), withProject);
        EXPECT_EQ(LayerValue(app.fileSet().projectDBPath, "SELECT Description FROM Project").toString(), "Two routes");
        EXPECT_EQ(frame.callsNamed("SetProjectDescription").size(), 1);
        dialog.close(); // the window's close box only hides it
        EXPECT_EQ(hides, 2);
    }
}
