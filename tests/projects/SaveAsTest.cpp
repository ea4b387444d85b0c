#include "FailingSync.h"
#include "ProjectFixture.h"

#include "foundation/common/concerns/AppContext.h"
#include "foundation/db/files/Compaction.h"
#include "foundation/db/connection/DaoDatabase.h"
#include "projects/ProjectFolderChecks.h"
#include "projects/SaveAsProjectDialog.h"

#include <QComboBox>
#include <QDir>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QScopeGuard>

#include <fcntl.h>
#include <sys/file.h>

namespace {
const char* const ROW_COUNTS = "SELECT (SELECT COUNT(*) FROM Process) || '|' || (SELECT COUNT(*) FROM "
                               "\"Step-To-Process\") || '|' || (SELECT COUNT(*) FROM ProjectStep)";
const char* const RECORD_NAME = "SELECT ProjectName FROM Project";

struct SaveAsCheckCase {
    const char* label;
    QString name;
    QString directory; // relative to the fixture's root unless absolute
    bool templateType;
    QStringList answers; // to the prompts, in order: "ok", "yes", "no"
    QString message;     // the last prompt's text; %1 = the root
    bool closes;
    QString nameAfter; // the name field after OK
};

void PrintTo(const SaveAsCheckCase& check, std::ostream* out)
{
    *out << check.label;
}

int AnswerOf(const QString& word)
{
    return word == "yes" ? IDYES : word == "no" ? IDNO : IDOK;
}

// Puts the text into the edit as typing does.
void Type(QLineEdit* edit, const QString& text)
{
    edit->setText(text);
    emit edit->textEdited(text);
}
} // namespace

class SaveAsTest : public ProjectFixture {
protected:
    // The dialog's answers: that name, folder and type, then OK.
    void ScriptSaveAs(const QString& name, const QString& directory, bool templateType = false)
    {
        projectDialogs.expectDialog<CSaveAsProjectDialog>([=](CSaveAsProjectDialog& dialog) {
            dialog.TypeCombo()->setCurrentText(templateType ? TEMPLATE_FILE_TYPE : PROJECT_FILE_TYPE);
            dialog.NameEdit()->setText(name);
            dialog.DirectoryEdit()->setText(directory);
            return dialog.OnOK() ? int(IDOK) : int(IDCANCEL);
        });
    }
    QString ProjectRecordName() const
    {
        return LayerValue(app.fileSet().projectDBPath, RECORD_NAME).toString();
    }
};

class SaveAsCheckTest : public SaveAsTest, public ::testing::WithParamInterface<SaveAsCheckCase> {};

TEST_P(SaveAsCheckTest, OkChecksTheNameAndTheFolderInOrder)
{
    const SaveAsCheckCase& check = GetParam();
    WriteTextFile(root() + "plain", "x");
    WriteDemo("Other", "taken");
    WriteDemo("Held", "held");
    ChildProcess other([this] { // another instance holds the marker until it is ended
        const int fd = ::open(QFile::encodeName(root() + "held/WorkingPath.txt").constData(), O_WRONLY | O_CREAT, 0644);
        return fd >= 0 && ::flock(fd, LOCK_EX | LOCK_NB) == 0;
    });
    ASSERT_TRUE(other.succeeded());
    OpenDemo();
    for (const QString& answer : check.answers)
        prompts.expect(AnswerOf(answer));
    CSaveAsProjectDialog dialog(false);
    dialog.m_strOwnMarker = manager.InUseMarker().HeldPath();
    if (check.message.contains("read only, please"))
        dialog.m_writeTest = [](const QString&) { return false; };
    dialog.TypeCombo()->setCurrentText(check.templateType ? TEMPLATE_FILE_TYPE : PROJECT_FILE_TYPE);
    dialog.NameEdit()->setText(check.name);
    const QString directory = check.directory.startsWith('/') ? check.directory : root() + check.directory;
    dialog.DirectoryEdit()->setText(check.directory.isEmpty() ? QString() : directory);
    EXPECT_EQ(dialog.OnOK(), check.closes) << check.label;
    EXPECT_EQ(prompts.lastText(), check.message.arg(WithoutSlash(root()))) << check.label;
    EXPECT_EQ(dialog.NameEdit()->text(), check.nameAfter) << check.label;
}

INSTANTIATE_TEST_SUITE_P(
    Cases, SaveAsCheckTest,
    ::testing::Values(
        SaveAsCheckCase{"empty name", "", "work/X", false, {"ok"}, "Please specify name!", false, ""},
        SaveAsCheckCase{"only an extension", ".qvt", "work/X", false, {"ok"}, "Please specify name!", false, ".qvt"},
        SaveAsCheckCase{"forbidden characters", "De:mo", "work/X", false, {"ok"},
                        "Names cannot contain any of the following\ncharacters:  \\ / : * ? \" < > | "
                        "'\nPlease enter a new name.",
                        false, "Demo"},
        SaveAsCheckCase{"no folder", "Demo", "", false, {"ok"}, "Please specify new project directory!", false, "Demo"},
        SaveAsCheckCase{"missing parent", "Demo", "none/X", false, {"ok"},
                        "'%1/none' does not exist, please select an existed directory.", false, "Demo"},
        SaveAsCheckCase{"read-only parent", "Demo", "work/X", false, {"ok"},
                        "'%1/work' is read only, please choose one directory with write permission.", false, "Demo"},
        SaveAsCheckCase{"temporary folder", "Demo", "instance/X", false, {"ok"},
                        "This Tamro Plenthover temporary directory is read only! Please choose different one.",
                        false, "Demo"},
        SaveAsCheckCase{"standard templates", "Demo", "install/Templates/Projects", true, {"ok"},
                        "This Tamro Plenthover Standard Templates directory is read only! Please choose "
                        "different one.",
                        false, "Demo"},
        SaveAsCheckCase{"folder under a plain file", "Demo", "plain/X", false, {"ok"},
                        "Failed to create the directory!", false, "Demo"},
        SaveAsCheckCase{"another instance", "Demo", "held", false, {"ok"},
                        "Another instance of Tamro Plenthover is working on the project in %1/held. Please "
                        "specify a different directory?",
                        false, "Demo"},
        SaveAsCheckCase{"replace declined", "Demo", "taken", false, {"no"},
                        "Another Tamro Plenthover Project already exists in %1/taken. Do you want to replace it?",
                        false, "Demo"},
        SaveAsCheckCase{"own folder ignores own marker", "Copy", "projects/Demo", false, {"yes"},
                        "Another Tamro Plenthover Project already exists in %1/projects/Demo. Do you want to "
                        "replace it?",
                        true, "Copy"},
        SaveAsCheckCase{"new folder", "Demo.PRJ", "work/New", false, {}, "", true, "Demo.PRJ"}),
    [](const auto& info) {
        QString label = info.param.label;
        return label.replace(' ', '_').replace('-', '_').toStdString();
    });

TEST_F(SaveAsTest, TheFolderFollowsTheNameAndTheType)
{
    CSaveAsProjectDialog dialog(false);
    EXPECT_EQ(dialog.DirectoryEdit()->text(), app.paths()->workingDir());
    dialog.DirectoryEdit()->setText("/data/Projects/Old");
    Type(dialog.NameEdit(), "Demo");
    EXPECT_EQ(dialog.DirectoryEdit()->text(), "/data/Projects/Demo");
    dialog.TypeCombo()->setCurrentText(TEMPLATE_FILE_TYPE);
    dialog.OnTypeChange();
    EXPECT_EQ(dialog.DirectoryEdit()->text(), WithoutSlash(app.paths()->userTemplateDir()));
    Type(dialog.NameEdit(), "Other"); // a template keeps its folder
    EXPECT_EQ(dialog.DirectoryEdit()->text(), WithoutSlash(app.paths()->userTemplateDir()));

    CSaveAsProjectDialog templates(true);
    EXPECT_TRUE(templates.TypeCombo()->isHidden());
    EXPECT_TRUE(templates.TypeLabel()->isHidden());
    app.profile()->setValue("User Project Template Dir/Dir", "/data/Templates/");
    EXPECT_EQ(CSaveAsProjectDialog(true).DirectoryEdit()->text(), "/data/Templates");

    // The folder picker: a project goes into a folder of its name, also under the root.
    dialog.TypeCombo()->setCurrentText(PROJECT_FILE_TYPE);
    for (const auto& [picked, expected] : {std::pair{"/data/Picked", "/data/Picked/Other"}, {"/", "/Other"}}) {
        dialogs.expect(picked);
        dialog.OnBrowse();
        EXPECT_EQ(dialog.DirectoryEdit()->text(), expected);
    }
    EXPECT_EQ(dialogs.requests().first().title, "Please select a folder below :");
}

// A folder that holds TemperaryFile(0).txt is tested with TemperaryFile(1).txt, which is gone after.
TEST_F(SaveAsTest, TheWriteTestTakesTheFirstFreeProbeName)
{
    WriteTextFile(root() + "probe/TemperaryFile(0).txt", "kept");
    EXPECT_TRUE(PassesWriteTest(root() + "probe"));
    EXPECT_EQ(QDir(root() + "probe").entryList(QDir::Files), QStringList{"TemperaryFile(0).txt"});
    EXPECT_EQ(FileBytes(root() + "probe/TemperaryFile(0).txt"), "kept");
    WriteTextFile(root() + "plain", "bytes");
    EXPECT_TRUE(PassesWriteTest(root() + "plain"));
    EXPECT_EQ(FileBytes(root() + "plain"), "bytes"); // never truncated
}

TEST_F(SaveAsTest, SaveAsElsewhereReopensTheWrittenProjectWithEqualRows)
{
    OpenDemo();
    const QString rows = LayerValue(app.fileSet().projectDBPath, ROW_COUNTS).toString();
    WriteTextFile(root() + "work/Copy/CompoundFileLocation.txt", "/elsewhere/Old.qvz");
    ScriptSaveAs("Copy", root() + "work/Copy");
    ASSERT_TRUE(manager.SaveProjectAs());
    const ProjectFileSet& files = app.fileSet();
    EXPECT_EQ(files.projectFilePath, root() + "work/Copy/Copy.prj");
    EXPECT_EQ(files.projectDir, root() + "work/Copy/");
    EXPECT_EQ(files.projectName, "Copy");
    EXPECT_FALSE(files.isTemplate);
    EXPECT_TRUE(manager.IsProjectOpen());
    EXPECT_EQ(ProjectRecordName(), "Copy");
    EXPECT_EQ(LayerValue(files.projectDBPath, ROW_COUNTS).toString(), rows);
    EXPECT_EQ(app.stepDatabases().count(), 6);
    EXPECT_FALSE(QFileInfo::exists(root() + "work/Copy/CompoundFileLocation.txt"));
    EXPECT_FALSE(QFileInfo::exists(projectPath(".prj.save")));
    EXPECT_FALSE(QFileInfo::exists(projectDir() + "WorkingPath.txt")); // the old project was closed
    EXPECT_EQ(LayerValue(projectPath(".prj"), RECORD_NAME).toString(), "Demo");
    EXPECT_FALSE(manager.m_bSameFolder);
}

// The replaced project's files go only after the new ones are written; other files stay.
TEST_F(SaveAsTest, AReplacedProjectGoesAfterTheNewFilesAreWritten)
{
    WriteDemo("Old", "target");
    WriteTextFile(root() + "target/notes.txt", "mine");
    WriteTextFile(root() + "target/QVSTEP_1001.mdb", "results");
    WriteTextFile(root() + "target/Old.prj.save.rejected", "set aside at an open");
    OpenDemo();
    prompts.expect(IDYES);
    ScriptSaveAs("New", root() + "target");
    ASSERT_TRUE(manager.SaveProjectAs());
    QStringList left = QDir(root() + "target").entryList(QDir::Files);
    left.removeIf([](const QString& name) { return name.startsWith("STEP_"); });
    EXPECT_EQ(left, (QStringList{"New.eqm", "New.mtl", "New.prj", "notes.txt", "WorkingPath.txt"}));
    EXPECT_EQ(QDir(root() + "target").entryList({"STEP_*"}, QDir::Files).size(), 6);
}

// A flush of the folder failing after the replaced project's files went: the error is shown and
// the new project stands.
TEST_F(SaveAsTest, AFailedFlushAfterTheReplacedFilesWentIsShownAndTheSaveStands)
{
    WriteDemo("Old", "target");
    OpenDemo();
    const QString target = root() + "target";
    FailingSync syncs([&target, failed = false](const QString& flushed) mutable {
        return !failed && (failed = flushed == target && !QFileInfo::exists(target + "/Old.prj"));
    });
    prompts.expect(IDYES);
    prompts.expect(IDOK);
    ScriptSaveAs("New", target);
    EXPECT_TRUE(manager.SaveProjectAs());
    ASSERT_EQ(syncs.Refused(), 1);
    EXPECT_EQ(prompts.texts().value(1), "Cannot flush '" + target + "' to disk: Input/output error");
    EXPECT_TRUE(QFileInfo::exists(target + "/New.prj"));
    EXPECT_FALSE(QFileInfo::exists(target + "/Old.mtl"));
}

// A save failing on its n-th file, or a declined template question, leaves the replaced project,
// the open project's record, template flag and folder as they were.
class SaveAsFailureTest : public SaveAsTest, public ::testing::WithParamInterface<int> {};

TEST_P(SaveAsFailureTest, AFailedSaveAsChangesNothing)
{
    WriteDemo("Old", "target");
    OpenDemo();
    const QMap<QString, QByteArray> before = Snapshot(root() + "target");
    int files = 0;
    CompactionStageHook previous = SetCompactionStageHook([&files](CompactionStage stage) {
        if (stage == CompactionStage::VacuumInto)
            ++files;
        return !(stage == CompactionStage::SyncTemporary && files == GetParam());
    });
    const auto restore = qScopeGuard([&previous] { SetCompactionStageHook(std::move(previous)); });
    prompts.expect(IDYES);
    prompts.expect(IDOK);
    ScriptSaveAs("New", root() + "target");
    EXPECT_FALSE(manager.SaveProjectAs());
    EXPECT_EQ(Snapshot(root() + "target"), before);
    EXPECT_EQ(app.fileSet().projectDir, projectDir());
    EXPECT_EQ(app.fileSet().projectFilePath, projectPath(".prj"));
    EXPECT_EQ(ProjectRecordName(), "Demo");
    EXPECT_FALSE(manager.m_bSameFolder);
}

INSTANTIATE_TEST_SUITE_P(Files, SaveAsFailureTest, ::testing::Values(1, 7, 9));

TEST_F(SaveAsTest, ADeclinedTemplateSaveChangesNothing)
{
    OpenDemo();
    ScriptSaveAs("Tpl", root() + "user-templates", true);
    prompts.expect(IDNO); // the template question of the save
    EXPECT_FALSE(manager.SaveProjectAsTemplate());
    EXPECT_FALSE(QFileInfo::exists(root() + "user-templates/Tpl.qvt"));
    EXPECT_FALSE(app.fileSet().isTemplate);
    EXPECT_EQ(app.fileSet().projectDir, projectDir());
    EXPECT_EQ(ProjectRecordName(), "Demo");
    EXPECT_TRUE(projectDialogs.allAnswersUsed());
    projectDialogs.expectDialog<CSaveAsProjectDialog>([](CSaveAsProjectDialog&) { return int(IDCANCEL); });
    EXPECT_FALSE(manager.SaveProjectAs());
}

TEST_F(SaveAsTest, ATemplateIsWrittenStrippedAndOpened)
{
    OpenDemo();
    ScriptSaveAs("Tpl", root() + "user-templates", true);
    prompts.expect(IDYES);
    ASSERT_TRUE(manager.SaveProjectAsTemplate());
    EXPECT_EQ(app.fileSet().projectFilePath, root() + "user-templates/Tpl.qvt");
    EXPECT_TRUE(app.fileSet().isTemplate);
    EXPECT_EQ(LayerValue(root() + "user-templates/Tpl.qvt", ROW_COUNTS).toString(), "0|0|1");
    EXPECT_EQ(LayerValue(root() + "user-templates/Tpl.qvt", RECORD_NAME).toString(), "Tpl");
    EXPECT_EQ(app.stepDatabases().count(), 0);
}

// Replacing the open project in its own folder under its own name saves in place, reopens nothing.
TEST_F(SaveAsTest, ReplacingTheOpenProjectItselfSavesInPlace)
{
    OpenDemo();
    EditProject("UPDATE Process SET Description = 'Edited' WHERE ProcessID = 1");
    prompts.expect(IDYES);
    ScriptSaveAs("Demo", WithoutSlash(projectDir()));
    ASSERT_TRUE(manager.SaveProjectAs());
    EXPECT_EQ(LayerValue(projectPath(".prj"), "SELECT Description FROM Process WHERE ProcessID = 1").toString(),
              "Edited");
    EXPECT_TRUE(frame.callsNamed("OnProjectOpened").isEmpty());
    EXPECT_TRUE(manager.InUseMarker().Holds());
    EXPECT_FALSE(manager.m_bSameFolder);
    EXPECT_FALSE(app.isProjectModified());
}
