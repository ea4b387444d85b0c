#include "OpenFixture.h"

#include "foundation/common/AppContext.h"
#include "foundation/db/DaoDatabase.h"
#include "foundation/db/DatabaseFiles.h"

#include <QDir>
#include <QFileInfo>

namespace {
const char* const NO_WRITE_ACCESS = "You do not have write access to the folder containing this file.";
const char* const ACTIONS = "Click OK to continue, or Cancel to abort this operation.";
} // namespace

// A project in <root>/readonly/Demo that the access probe reports as not writable.
class WriteAccessTest : public OpenFixture {
protected:
    void SetUp() override
    {
        m_path = WriteDemo("readonly/Demo");
        const QString readOnly = root() + "readonly/";
        manager.SetWriteAccessProbe([readOnly](const QString& path) { return !path.startsWith(readOnly); });
    }
    QString m_path;
};

TEST_F(WriteAccessTest, EachOpenCopiesTheProjectIntoANewWorkingFolder)
{
    const QString working = app.fakePaths().workingDir();
    const QStringList targets = {working + "Demo", working + "Demo(1)", working + "Demo(2)"};
    for (const QString& target : targets) {
        warnings.expect(IDOK);
        ASSERT_TRUE(OpenGiven(m_path)) << target.toStdString();
        EXPECT_EQ(app.fileSet().projectDir, target + "/");
        EXPECT_EQ(app.fileSet().projectFilePath, target + "/Demo.prj");
        EXPECT_TRUE(QFileInfo::exists(target + "/WorkingPath.txt"));
    }
    ASSERT_EQ(warnings.requests().size(), 3);
    for (int i = 0; i < 3; ++i) {
        const WarningDialogRequest& request = warnings.requests().at(i);
        EXPECT_EQ(request.targetFolder, targets.at(i));
        EXPECT_EQ(request.warningText, NO_WRITE_ACCESS);
        EXPECT_EQ(request.actionsText, ACTIONS);
        EXPECT_TRUE(request.checkBoxOffered);
    }
    EXPECT_FALSE(QFileInfo::exists(root() + "readonly/Demo/WorkingPath.txt"));
    for (const StepSpec& step : CProjectGenerator::DemoProject().steps)
        EXPECT_TRUE(QFileInfo::exists(targets.last() + "/" + CProjectGenerator::StepFileName(step.stepID)));
}

TEST_F(WriteAccessTest, CancelCopiesNothingAndATickedBoxSilencesTheNextWarning)
{
    warnings.expect(IDCANCEL);
    EXPECT_FALSE(OpenGiven(m_path));
    EXPECT_FALSE(QFileInfo::exists(app.fakePaths().workingDir() + "Demo"));
    warnings.expect(IDOK, true);
    ASSERT_TRUE(OpenGiven(m_path));
    EXPECT_FALSE(app.fileSet().writeWarning);
    ASSERT_TRUE(OpenGiven(m_path)); // copied again without a warning
    EXPECT_EQ(app.fileSet().projectDir, app.fakePaths().workingDir() + "Demo(1)/");
    EXPECT_EQ(warnings.requests().size(), 2);
}

TEST_F(WriteAccessTest, AProjectInTheInstallFolderAlwaysWarnsWithoutTheBox)
{
    app.fileSet().writeWarning = false; // ticked for another project
    CProjectGenerator generator;
    ASSERT_TRUE(
        generator.Write(CProjectGenerator::DemoProject(), app.fakePaths().installDir() + "Samples/Demo/"));
    warnings.expect(IDOK);
    ASSERT_TRUE(OpenGiven(app.fakePaths().installDir() + "Samples/Demo/Demo.prj"));
    ASSERT_EQ(warnings.requests().size(), 1);
    EXPECT_FALSE(warnings.requests().first().checkBoxOffered);
    EXPECT_TRUE(app.fileSet().writeWarning);
    EXPECT_EQ(app.fileSet().projectDir, app.fakePaths().workingDir() + "Demo/");
}

// Mode 1: the new-project code copied the blank template into the project file and working copies.
class NewProjectOpenTest : public OpenFixture {
protected:
    void SetUp() override
    {
        const QString templates = root() + "templates/";
        ASSERT_TRUE(CProjectGenerator().WriteBlankTemplate(templates, "Blank"));
        const QString folder = root() + "projects/NewOne/";
        ASSERT_TRUE(QDir().mkpath(folder));
        ProjectFileSet& files = app.fileSet();
        files.projectFilePath = folder + "NewOne.prj";
        files.projectDir = folder;
        files.projectDBPath = instanceDir() + "NewOne.wc";
        files.equipmentDBPath = instanceDir() + "NewOne.ewc";
        files.materialsDBPath = instanceDir() + "NewOne.mwc";
        ASSERT_TRUE(CopyDatabaseFile(templates + "Blank.qvt", files.projectFilePath));
        ASSERT_TRUE(CopyDatabaseFile(templates + "Blank.qvt", files.projectDBPath));
        ASSERT_TRUE(CopyDatabaseFile(templates + "Blank.eqt", files.equipmentDBPath));
        ASSERT_TRUE(CopyDatabaseFile(templates + "Blank.mtt", files.materialsDBPath));
    }
};

TEST_F(NewProjectOpenTest, TheProjectRecordTakesTheNameAndDescription)
{
    ASSERT_TRUE(manager.OpenProjectFile(1, "NewOne", "A new one", true));
    const ProjectFileSet& files = app.fileSet();
    EXPECT_EQ(
        LayerValue(files.projectDBPath, "SELECT ProjectName || '|' || Description FROM Project").toString(),
        "NewOne|A new one");
    EXPECT_EQ(LayerValue(files.projectDBPath, "SELECT count(*) FROM Project").toInt(), 1);
    EXPECT_EQ(LayerValue(files.projectDBPath, "SELECT Description FROM Preferences").toString(), "NewOne");
    EXPECT_EQ(LayerValue(files.projectDBPath, "SELECT Description FROM Options").toString(), "NewOne");
    EXPECT_EQ(files.projectID, LayerValue(files.projectDBPath, "SELECT ProjectID FROM Project").toInt());
    EXPECT_TRUE(files.newProject);
    EXPECT_TRUE(app.isProjectModified());
    EXPECT_TRUE(app.recentFiles().isEmpty());
    EXPECT_EQ(frame.callsNamed("SetProjectDescription"), QStringList{"SetProjectDescription A new one"});
    EXPECT_EQ(frame.callsNamed("OnProjectOpened"), QStringList{"OnProjectOpened true"});
    EXPECT_TRUE(manager.HoldsInUseMarker());
}
