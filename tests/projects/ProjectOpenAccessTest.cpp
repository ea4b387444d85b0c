#include "ProjectFixture.h"

#include "foundation/common/concerns/AppContext.h"
#include "foundation/db/files/DatabaseFiles.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace {
const char* const NO_WRITE_ACCESS = "You do not have write access to the folder containing this file.";
const char* const WARNING_ACTIONS = "Click OK to continue, or Cancel to abort this operation.";
} // namespace

// A project in <root>/readonly/Demo that the access probe reports as not writable.
class WriteAccessTest : public ProjectFixture {
protected:
    void SetUp() override
    {
        m_path = WriteDemo("Demo", "readonly/Demo");
        const QString readOnly = root() + "readonly/";
        manager.SetWriteAccessProbe([readOnly](const QString& path) { return !path.startsWith(readOnly); });
    }
    QString m_path;
};

// The cancelled open copies nothing; every later open copies again, warning until the box is ticked.
TEST_F(WriteAccessTest, EachOpenCopiesTheProjectIntoANewWorkingFolder)
{
    const QString working = app.fakePaths().workingDir();
    warnings.expect(IDCANCEL);
    EXPECT_FALSE(OpenGiven(m_path));
    EXPECT_FALSE(QFileInfo::exists(working + "Demo"));
    warnings.expect(IDOK);
    warnings.expect(IDOK);
    warnings.expect(IDOK, true);
    QStringList opened;
    for (int i = 0; i < 4; ++i) {
        ASSERT_TRUE(OpenGiven(m_path));
        opened << app.fileSet().projectFilePath;
        EXPECT_TRUE(QFileInfo::exists(app.fileSet().projectDir + "WorkingPath.txt"));
    }
    EXPECT_EQ(opened, (QStringList{working + "Demo/Demo.prj", working + "Demo(1)/Demo.prj",
                                   working + "Demo(2)/Demo.prj", working + "Demo(3)/Demo.prj"}));
    QStringList shown;
    for (const WarningDialogRequest& request : warnings.requests())
        shown << request.targetFolder + (request.checkBoxOffered ? " with box" : "");
    EXPECT_EQ(shown, (QStringList{working + "Demo with box", working + "Demo with box",
                                  working + "Demo(1) with box", working + "Demo(2) with box"}));
    EXPECT_EQ(warnings.requests().first().warningText, NO_WRITE_ACCESS);
    EXPECT_EQ(warnings.requests().first().actionsText, WARNING_ACTIONS);
    EXPECT_FALSE(QFileInfo::exists(root() + "readonly/Demo/WorkingPath.txt"));
    for (const StepSpec& step : CProjectGenerator::DemoProject().steps)
        EXPECT_TRUE(QFileInfo::exists(working + "Demo(3)/" + CProjectGenerator::StepFileName(step.stepID)));
}

// The box of this dialog is hidden: ticking it changes nothing.
TEST_F(WriteAccessTest, AProjectInTheInstallFolderAlwaysWarnsWithoutTheBox)
{
    app.fileSet().writeWarning = false; // ticked for another project
    warnings.expect(IDOK, true);
    ASSERT_TRUE(OpenGiven(WriteDemo("Demo", "install/Samples/Demo")));
    ASSERT_EQ(warnings.requests().size(), 1);
    EXPECT_FALSE(warnings.requests().first().checkBoxOffered);
    EXPECT_TRUE(app.fileSet().writeWarning);
    EXPECT_EQ(app.fileSet().projectDir, app.fakePaths().workingDir() + "Demo/");
}

// Mode 1: the new-project code copied the blank template into the project file and working copies.
TEST_F(ProjectFixture, ANewProjectRecordTakesTheNameAndDescription)
{
    const QString templates = root() + "templates/", folder = root() + "projects/NewOne/";
    ASSERT_TRUE(CProjectGenerator().WriteBlankTemplate(templates, "Blank"));
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
    ASSERT_TRUE(manager.OpenProjectFile(1, "NewOne", "A new one", true));
    const QString record =
        "SELECT ProjectName || '|' || Description || '|' || (SELECT count(*) FROM Project) || "
        "'|' || (SELECT Description FROM Preferences) || '|' || (SELECT Description FROM Options) "
        "FROM Project";
    // An empty preferences table gets a row named after the project; the template's options row is kept.
    EXPECT_EQ(LayerValue(files.projectDBPath, record).toString(),
              "NewOne|A new one|1|NewOne|Standard Options");
    EXPECT_EQ(files.projectID, LayerValue(files.projectDBPath, "SELECT ProjectID FROM Project").toInt());
    EXPECT_TRUE(files.newProject);
    EXPECT_TRUE(app.isProjectModified());
    EXPECT_TRUE(app.recentFiles().isEmpty());
    EXPECT_EQ(frame.callsNamed("SetProjectDescription"), QStringList{"SetProjectDescription A new one"});
    EXPECT_EQ(frame.callsNamed("OnProjectOpened"), QStringList{"OnProjectOpened true"});
    EXPECT_TRUE(manager.InUseMarker().Holds());
}

// Files of mode 0444 give a copy the user can write; a copy that fails (a link to nothing) leaves
// no folder in the working folder.
TEST_F(WriteAccessTest, AReadOnlyProjectIsCopiedWritableAndAFailedCopyLeavesNoFolder)
{
    const QString source = root() + "readonly/Demo/", copy = app.fakePaths().workingDir() + "Demo/";
    for (const QFileInfo& file : QDir(source).entryInfoList(QDir::Files))
        ASSERT_TRUE(
            QFile::setPermissions(file.filePath(), QFile::ReadOwner | QFile::ReadGroup | QFile::ReadOther));
    ASSERT_TRUE(QFile::link(root() + "gone.txt", source + "Notes.txt"));
    warnings.expect(IDOK);
    prompts.expect(IDOK);
    EXPECT_FALSE(OpenGiven(m_path));
    EXPECT_EQ(prompts.texts(),
              QStringList{"Failed to copy file from " + source + "Notes.txt to " + copy + "Notes.txt"});
    EXPECT_FALSE(QFileInfo::exists(copy));

    ASSERT_TRUE(QFile::remove(source + "Notes.txt"));
    warnings.expect(IDOK);
    ASSERT_TRUE(OpenGiven(m_path));
    EXPECT_EQ(app.fileSet().projectFilePath, copy + "Demo.prj");
    for (const QFileInfo& file : QDir(copy).entryInfoList(QDir::Files))
        EXPECT_TRUE(file.permissions() & QFile::WriteOwner) << file.fileName().toStdString();
    EditProject("UPDATE Process SET Description = 'Edited' WHERE ProcessID = 1");
    EXPECT_TRUE(manager.SaveProject(QString(), false));
}
