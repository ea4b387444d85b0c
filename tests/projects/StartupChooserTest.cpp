#include "ProjectFixture.h"

#include "foundation/controls/TitledListCtrl.h"
#include "projects/NewProject.h"
#include "projects/OpenProjectDialog.h"
#include "projects/OpenTemplateDialog.h"

#include <QRadioButton>
#include <QSettings>

namespace {
// Picks the choice and the row of that text (none when empty) and presses OK.
ScriptedProjectDialogs::Action Choose(int choice, const QString& row)
{
    return [=](QDialog& shown) {
        auto& dialog = dynamic_cast<COpenProjectDialog&>(shown);
        dialog.ChoiceButton(choice)->click();
        dialog.FileList()->clearSelection();
        for (QTreeWidgetItem* item : dialog.FileList()->findItems(row, Qt::MatchExactly))
            item->setSelected(!row.isEmpty());
        dialog.accept();
        return int(IDOK);
    };
}
} // namespace

class StartupChooserTest : public ProjectFixture {};

TEST_F(StartupChooserTest, OnlyDisableBlankProjectsOneDisablesTheBlankChoice)
{
    for (const auto& [stored, enabled] : {std::pair{QVariant(), true}, {QVariant(0), true}, {QVariant(1), false},
                                           {QVariant(2), true}, {QVariant("x"), true}}) {
        app.profile()->remove("Options/DisableBlankProjects");
        if (stored.isValid())
            app.profile()->setValue("Options/DisableBlankProjects", stored);
        bool blankEnabled = false;
        projectDialogs.expectDialog<COpenProjectDialog>([&](COpenProjectDialog& dialog) {
            blankEnabled = dialog.ChoiceButton(COpenProjectDialog::BlankProject)->isEnabled();
            return int(IDCANCEL);
        });
        manager.ChooseStartupProject();
        EXPECT_EQ(blankEnabled, enabled) << stored.toString().toStdString();
    }
}

// "More Files..." first, then every slot with the empty ones; the first row selected; the list
// usable only with the existing-project choice.
TEST_F(StartupChooserTest, TheListShowsMoreFilesAndEverySlot)
{
    app.setRecentFiles({"/p/One.prj", "", ""});
    COpenProjectDialog dialog;
    dialog.m_strRecentFiles = app.recentFileSlots();
    projectDialogs.expectDialog<COpenProjectDialog>([](COpenProjectDialog& shown) {
        CTitledListCtrl* list = shown.FileList();
        EXPECT_EQ(list->GetItemCount(), 4);
        EXPECT_EQ(list->GetItemText(0, 0), "More Files...");
        EXPECT_EQ(list->GetItemText(1, 0), "/p/One.prj");
        EXPECT_EQ(list->GetSelectedRow(), 0);
        EXPECT_TRUE(shown.ChoiceButton(COpenProjectDialog::ExistingProject)->isChecked());
        for (const auto& [choice, listEnabled] : {std::pair{0, false}, {1, false}, {2, true}}) {
            shown.ChoiceButton(choice)->click();
            EXPECT_EQ(list->isEnabled(), listEnabled) << choice;
        }
        return int(IDCANCEL);
    });
    EXPECT_EQ(dialog.DoModal(), IDCANCEL);
}

// What each answer of the chooser starts: a blank project or a template's sheet, project open's
// file dialog, nothing for an empty slot or Cancel.
TEST_F(StartupChooserTest, EachChoiceStartsItsWay)
{
    struct Case {
        const char* label;
        int choice;
        QString row;
        int nextDialog; // 0 none, 1 New Project, 2 template sheet, 3 file dialog
    };
    app.setRecentFiles({"", ""});
    for (const Case& c : {Case{"blank", 0, "", 1}, Case{"template", 1, "", 2}, Case{"more files", 2, "More Files...", 3},
                          Case{"empty slot", 2, "", 0}, Case{"cancel", -1, "", 0}}) {
        if (c.choice < 0)
            projectDialogs.expect([](QDialog&) { return int(IDCANCEL); });
        else
            projectDialogs.expect(Choose(c.choice, c.row));
        if (c.nextDialog == 1)
            projectDialogs.expectDialog<CNewProject>([](CNewProject&) { return int(IDCANCEL); });
        if (c.nextDialog == 2)
            projectDialogs.expectDialog<COpenTemplateDialog>([](COpenTemplateDialog&) { return int(IDCANCEL); });
        if (c.nextDialog == 3)
            dialogs.expect(QString());
        manager.ChooseStartupProject();
        EXPECT_TRUE(projectDialogs.allAnswersUsed()) << c.label;
        EXPECT_TRUE(dialogs.allAnswersUsed()) << c.label;
        EXPECT_FALSE(manager.IsProjectOpen()) << c.label;
    }
}

TEST_F(StartupChooserTest, ARecentProjectOpens)
{
    const QString path = WriteDemo();
    app.setRecentFiles({path});
    projectDialogs.expect(Choose(COpenProjectDialog::ExistingProject, path));
    manager.ChooseStartupProject();
    EXPECT_TRUE(manager.IsProjectOpen());
    EXPECT_EQ(app.fileSet().projectFilePath, path);
    EXPECT_FALSE(app.fileSet().pathGiven);
}

// A recent file deleted outside the program leaves the list with the message and opens nothing;
// the project open meanwhile keeps its paths.
TEST_F(StartupChooserTest, ADeletedRecentFileLeavesTheListAndTheOpenProjectAlone)
{
    OpenDemo();
    const QString opened = app.fileSet().projectFilePath;
    const QString gone = root() + "gone/Gone.prj";
    app.setRecentFiles({"/p/Kept.prj", gone});
    projectDialogs.expect(Choose(COpenProjectDialog::ExistingProject, gone));
    prompts.expect(IDOK);
    manager.ChooseStartupProject();
    EXPECT_EQ(prompts.lastText(), "The project \"" + gone + "\" does not exist anymore!");
    EXPECT_EQ(app.recentFiles(), QStringList{"/p/Kept.prj"});
    EXPECT_EQ(app.fileSet().projectFilePath, opened);
    EXPECT_EQ(app.fileSet().projectDBPath, instanceDir() + "Demo.wc");
}
