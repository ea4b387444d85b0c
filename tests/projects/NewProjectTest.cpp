#include "FailingSync.h"
#include "ProjectFixture.h"

#include "foundation/common/concerns/AppContext.h"
#include "foundation/controls/RichText.h"
#include "projects/NewProject.h"
#include "projects/OpenTemplateDialog.h"
#include "projects/ProjectFolderChecks.h"
#include "projects/SaveAsProjectDialog.h"
#include "projects/TemplatePage.h"

#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QToolButton>
#include <QTreeWidget>

#include <fcntl.h>
#include <sys/file.h>

namespace {
struct NewProjectCheckCase {
    const char* label;
    QString name;
    QString directory; // relative to the fixture's root
    int answer;        // to the last prompt; 0 = no prompt
    QString message;   // %1 = the root
    bool closes;
    QString nameAfter;
};

void PrintTo(const NewProjectCheckCase& check, std::ostream* out)
{
    *out << check.label;
}
} // namespace

class NewProjectTest : public ProjectFixture {
protected:
    NewProjectTest()
    {
        CProjectGenerator generator;
        EXPECT_TRUE(generator.WriteBlankTemplate(app.paths()->standardTemplateDir(), "Blank"));
    }
    void ScriptNewProject(const QString& name, const QString& directory, const QString& description = "About")
    {
        projectDialogs.expectDialog<CNewProject>([=](CNewProject& dialog) {
            dialog.NameEdit()->setText(name);
            dialog.DirectoryEdit()->setText(directory);
            dialog.DescriptionEdit()->SetText(description);
            return dialog.OnOK() ? int(IDOK) : int(IDCANCEL);
        });
    }
    // Picks the template of that name on that page of the sheet.
    void ScriptTemplate(int page, const QString& name)
    {
        projectDialogs.expectDialog<COpenTemplateDialog>([=](COpenTemplateDialog& sheet) {
            sheet.SetActivePage(page);
            QTreeWidget* list = sheet.TemplatePage(page)->TemplateList();
            const QList<QTreeWidgetItem*> found = list->findItems(name, Qt::MatchExactly);
            if (found.isEmpty())
                return int(IDCANCEL);
            list->clearSelection();
            found.first()->setSelected(true);
            return sheet.PressOK() ? int(IDOK) : int(IDCANCEL);
        });
    }
};

class NewProjectCheckTest : public NewProjectTest, public ::testing::WithParamInterface<NewProjectCheckCase> {};

TEST_P(NewProjectCheckTest, OkChecksTheNameAndTheFolderInOrder)
{
    const NewProjectCheckCase& check = GetParam();
    WriteTextFile(root() + "plain", "x");
    WriteDemo("Other", "taken");
    ChildProcess other([this] {
        const int fd = ::open(QFile::encodeName(root() + "taken/WorkingPath.txt").constData(), O_WRONLY | O_CREAT, 0644);
        return fd >= 0 && ::flock(fd, LOCK_EX | LOCK_NB) == 0;
    });
    if (check.label == std::string("another instance"))
        ASSERT_TRUE(other.succeeded());
    else
        other.Kill();
    if (check.answer)
        prompts.expect(check.answer);
    CNewProject dialog;
    dialog.NameEdit()->setText(check.name);
    dialog.DirectoryEdit()->setText(check.directory.isEmpty() ? QString() : root() + check.directory);
    EXPECT_EQ(dialog.OnOK(), check.closes);
    EXPECT_EQ(prompts.lastText(), check.message.arg(WithoutSlash(root())));
    EXPECT_EQ(dialog.NameEdit()->text(), check.nameAfter);
    EXPECT_TRUE(QFileInfo::exists(root() + "taken/Other.prj")); // nothing is deleted by the dialog
}

INSTANTIATE_TEST_SUITE_P(
    Cases, NewProjectCheckTest,
    ::testing::Values(
        NewProjectCheckCase{"empty name", "", "work/X", IDOK, "Please specify new project name!", false, ""},
        NewProjectCheckCase{"step prefix", "Step_1", "work/X", IDOK,
                            "Project name cannot start with 'Step_'.\nPlease enter a new name.", false, "Step1"},
        NewProjectCheckCase{"only an extension", ".prj", "work/X", IDOK, "Please specify new project name!", false,
                            ".prj"},
        NewProjectCheckCase{"no folder", "Demo", "", IDOK, "Please specify new project directory!", false, "Demo"},
        NewProjectCheckCase{"folder under a plain file", "Demo", "plain/X", IDOK,
                            "Failed to create the directory '%1/plain/X' !", false, "Demo"},
        NewProjectCheckCase{"another instance", "Demo", "taken", IDOK,
                            "Another instance of Tamro Plenthover is working on the project in %1/taken. Please "
                            "specify a different directory?",
                            false, "Demo"},
        NewProjectCheckCase{"replace declined", "Demo", "taken", IDNO,
                            "Another Tamro Plenthover project already exists in %1/taken. Do you want to replace it?",
                            false, "Demo"},
        NewProjectCheckCase{"replace agreed", "Demo", "taken", IDYES,
                            "Another Tamro Plenthover project already exists in %1/taken. Do you want to replace it?",
                            true, "Demo"},
        NewProjectCheckCase{"extensions dropped", "Demo.prj", "work/Demo.prj", 0, "", true, "Demo.prj"}),
    [](const auto& info) {
        QString label = info.param.label;
        return label.replace(' ', '_').toStdString();
    });

TEST_F(NewProjectTest, TheFolderFollowsTheNameUnderTheBaseFolder)
{
    CNewProject dialog;
    EXPECT_EQ(dialog.DirectoryEdit()->text(), app.paths()->workingDir());
    dialog.NameEdit()->setText("Demo");
    dialog.OnNameChange();
    EXPECT_EQ(dialog.DirectoryEdit()->text(), app.paths()->workingDir() + "Demo");
    dialogs.expect("/");
    dialog.OnBrowse();
    EXPECT_EQ(dialog.DirectoryEdit()->text(), "/Demo");
    EXPECT_EQ(dialogs.requests().first().title, "Please select a folder below :");
}

// The new project has its own folder with a project file and its libraries, so that it opens
// again after its close discarded the first edits; the replaced project goes only then.
TEST_F(NewProjectTest, ANewProjectDiscardedAtItsCloseLeavesAFolderThatOpens)
{
    WriteDemo("Old", "work/Fresh");
    WriteTextFile(root() + "work/Fresh/CompoundFileLocation.txt", "/elsewhere/Fresh.qvz");
    prompts.expect(IDYES); // replace the project there
    ScriptNewProject("Fresh", root() + "work/Fresh", "First lines");
    ASSERT_TRUE(manager.NewProject());
    EXPECT_TRUE(manager.IsProjectOpen());
    EXPECT_FALSE(manager.m_bUntitled);
    EXPECT_EQ(app.fileSet().projectFilePath, root() + "work/Fresh/Fresh.prj");
    EXPECT_EQ(QDir(root() + "work/Fresh").entryList(QDir::Files),
              (QStringList{"Fresh.eqm", "Fresh.mtl", "Fresh.prj", "WorkingPath.txt"}));
    EXPECT_EQ(LayerValue(app.fileSet().projectDBPath, "SELECT Description FROM Project").toString(), "First lines");
    prompts.expect(IDNO);
    ASSERT_TRUE(manager.CloseProject(SaveAnswer::Ask));
    EXPECT_TRUE(OpenGiven(root() + "work/Fresh/Fresh.prj"));
    EXPECT_TRUE(manager.SaveProject(QString(), false)); // a titled project saves in place
}

// A failed flush of the new project's folder: after its copies (the fourth flush of the folder, one
// per project file and one for all) no project is made and the replaced one stays; after the
// replaced project's files went, the error is shown and the new project opens.
TEST_F(NewProjectTest, AFailedFlushOfTheFolderIsShown)
{
    const QString folder = root() + "work/Fresh";
    const struct {
        const char* label;
        std::function<bool(const QString&)> fails;
        bool opens;
    } cases[] = {
        {"the copies",
         [&folder, flushes = 0](const QString& flushed) mutable {
             return flushed == folder && ++flushes == 4;
         },
         false},
        {"the replaced files",
         [&folder, failed = false](const QString& flushed) mutable {
             return !failed && (failed = flushed == folder && !QFileInfo::exists(folder + "/Old.prj"));
         },
         true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.label);
        if (!QFileInfo::exists(folder + "/Old.prj")) // the failed first case keeps it
            WriteDemo("Old", "work/Fresh");
        prompts.clear();
        prompts.expect(IDYES); // replace the project there
        prompts.expect(IDOK);
        ScriptNewProject("Fresh", folder);
        {
            FailingSync syncs(c.fails);
            EXPECT_EQ(manager.NewProject(), c.opens);
            ASSERT_EQ(syncs.Refused(), 1);
        }
        EXPECT_EQ(prompts.texts().value(1), "Cannot flush '" + folder + "' to disk: Input/output error");
        EXPECT_EQ(manager.IsProjectOpen(), c.opens);
        EXPECT_EQ(QFileInfo::exists(folder + "/Fresh.prj"), c.opens);
        EXPECT_EQ(QFileInfo::exists(folder + "/Old.prj"), !c.opens);
        if (c.opens) {
            prompts.expect(IDNO);
            ASSERT_TRUE(manager.CloseProject(SaveAnswer::Ask));
        }
    }
}

TEST_F(NewProjectTest, TemplatePagesListTemplatesWithSizeDateAndPreview)
{
    ::setenv("TZ", "UTC", 1);
    ::tzset();
    CProjectGenerator generator;
    ASSERT_TRUE(generator.WriteBlankTemplate(app.paths()->userTemplateDir(), "Mine"));
    RawQuery(app.paths()->userTemplateDir() + "Mine.qvt", "UPDATE Project SET Description = ''");
    QFile touched(app.paths()->userTemplateDir() + "Mine.qvt");
    ASSERT_TRUE(touched.open(QIODevice::ReadWrite));
    ASSERT_TRUE(touched.setFileTime(QDateTime(QDate(2009, 2, 3), QTime(0, 5), Qt::UTC), QFileDevice::FileModificationTime));
    touched.close();
    COpenTemplateDialog sheet;
    EXPECT_EQ(sheet.TemplatePage(COpenTemplateDialog::StandardPage)->Preview()->text(),
              "An empty project with the standard preferences.");
    ASSERT_TRUE(sheet.SetActivePage(COpenTemplateDialog::UserPage));
    CTemplatePage* page = sheet.TemplatePage(COpenTemplateDialog::UserPage);
    EXPECT_EQ(page->RowTexts(0).mid(2), (QStringList{"Tamro Plenthover Template file", "2/3/9  12:05 AM"}));
    EXPECT_EQ(page->Preview()->text(), "No Description for this template");
    EXPECT_TRUE(sheet.OkButton()->isEnabled());
    EXPECT_EQ(sheet.m_nChosenPage, COpenTemplateDialog::UserPage);
    page->SetViewMode(CTemplatePage::Details);
    EXPECT_TRUE(page->ViewButton(CTemplatePage::Details)->isChecked());
    EXPECT_FALSE(page->ViewButton(CTemplatePage::List)->isChecked());

    dialogs.expect(root() + "empty"); // a folder without templates
    QDir().mkpath(root() + "empty");
    page->OnBrowse();
    EXPECT_EQ(page->TemplateList()->topLevelItemCount(), 0);
    EXPECT_EQ(page->FolderEdit()->text(), root() + "empty/");

    for (const auto& [bytes, text] : {std::pair{qint64(1025), "2KB"}, {1024, "1KB"}, {0, "0KB"}})
        EXPECT_EQ(CTemplatePage::SizeText(bytes), text);
    EXPECT_EQ(CTemplatePage::ModifiedText(QDateTime(QDate(2012, 11, 30), QTime(12, 9))), "11/30/12  12:09 PM");
}

TEST_F(NewProjectTest, AnEmptyTemplateFolderLeavesTheSheetsOkDisabled)
{
    QDir(app.paths()->standardTemplateDir()).removeRecursively();
    QDir().mkpath(app.paths()->standardTemplateDir());
    COpenTemplateDialog sheet;
    EXPECT_EQ(sheet.TemplatePage(COpenTemplateDialog::StandardPage)->TemplateList()->topLevelItemCount(), 0);
    EXPECT_FALSE(sheet.OkButton()->isEnabled());
}

// An untitled project from a read-only template: saving in place, auto-save or automation write
// nothing; Save asks for a name, then the named project is open and writable.
TEST_F(NewProjectTest, AnUntitledProjectIsNamedByItsFirstSave)
{
    CProjectGenerator generator;
    ASSERT_TRUE(generator.WriteBlankTemplate(app.paths()->userTemplateDir(), "Mine"));
    for (const char* extension : {".qvt", ".eqt", ".mtt"})
        QFile::setPermissions(app.paths()->userTemplateDir() + "Mine" + extension, QFile::ReadOwner);
    ScriptTemplate(COpenTemplateDialog::UserPage, "Mine");
    ASSERT_TRUE(manager.NewProjectFromTemplate());
    EXPECT_TRUE(manager.m_bUntitled);
    EXPECT_FALSE(app.fileSet().isTemplate);
    EXPECT_EQ(app.fileSet().projectFilePath, instanceDir() + "new.prj");
    EXPECT_FALSE(manager.SaveProject(QString(), false));
    EXPECT_TRUE(app.isProjectModified());

    projectDialogs.expectDialog<CSaveAsProjectDialog>([this](CSaveAsProjectDialog& dialog) {
        dialog.NameEdit()->setText("Named");
        dialog.DirectoryEdit()->setText(root() + "work/Named");
        return dialog.OnOK() ? int(IDOK) : int(IDCANCEL);
    });
    ASSERT_TRUE(manager.SaveCommand());
    EXPECT_FALSE(manager.m_bUntitled);
    EXPECT_EQ(app.fileSet().projectFilePath, root() + "work/Named/Named.prj");
    EXPECT_FALSE(QFileInfo::exists(instanceDir() + "new.prj"));
    EXPECT_TRUE(QFileInfo(root() + "work/Named/Named.prj").permissions() & QFile::WriteOwner);
    EXPECT_TRUE(manager.SaveProject(QString(), false));
}

// Yes at the close of an untitled project runs Save As, which writes and returns; the close ends
// the project.
TEST_F(NewProjectTest, YesAtTheCloseOfAnUntitledProjectSavesItUnderItsNewName)
{
    ScriptTemplate(COpenTemplateDialog::StandardPage, "Blank");
    ASSERT_TRUE(manager.NewProjectFromTemplate());
    EXPECT_TRUE(frame.callsNamed("OnProjectOpened").size() == 1);
    prompts.expect(IDYES);
    projectDialogs.expectDialog<CSaveAsProjectDialog>([this](CSaveAsProjectDialog& dialog) {
        dialog.NameEdit()->setText("Kept");
        dialog.DirectoryEdit()->setText(root() + "work/Kept");
        return dialog.OnOK() ? int(IDOK) : int(IDCANCEL);
    });
    ASSERT_TRUE(manager.CloseProject(SaveAnswer::Ask));
    EXPECT_FALSE(manager.IsProjectOpen());
    EXPECT_FALSE(manager.m_bUntitled);
    EXPECT_EQ(LayerValue(root() + "work/Kept/Kept.prj", "SELECT ProjectName FROM Project").toString(), "Kept");
    EXPECT_EQ(QDir(instanceDir()).entryList(QDir::Files), QStringList());
    EXPECT_TRUE(OpenGiven(root() + "work/Kept/Kept.prj"));
}
