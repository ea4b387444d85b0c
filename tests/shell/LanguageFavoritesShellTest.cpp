// In the running program on the Demo project: the recipe language changed to Deutsch through the
// hub's Language entry (the recipe texts follow), and a favourite-operation menu saved through the
// Tools command and inserted from the Edit menu. Screenshots go to QV_SHOTS_DIR when it is set.

#include "RecipeShellFixture.h"
#include "foundation/common/concerns/LanguageDatabaseService.h"
#include "preferences/lists/CustomizeFavOperationDlg.h"
#include "preferences/shared/PreferenceHub.h"
#include "projects/LanguagePreferenceWindow.h"

#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QListWidget>

namespace {
void LanguageShot(QWidget* widget, const QString& name)
{
    const QString folder = qEnvironmentVariable("QV_SHOTS_DIR");
    if (!folder.isEmpty() && QDir().mkpath(folder))
        widget->grab().save(QDir(folder).filePath("u1-lang-" + name + ".png"));
}

template <typename Window> Window* OpenWindow()
{
    for (QWidget* widget : QApplication::topLevelWidgets()) {
        if (auto* window = qobject_cast<Window*>(widget); window && window->isVisible())
            return window;
    }
    return nullptr;
}

QString StoredRecipeTexts(long stepID)
{
    QSqlQuery query = GetStepDatabase(stepID)->Query("SELECT group_concat(RecipeText, ' | ') FROM Operation");
    return query.next() ? query.value(0).toString() : QString();
}
} // namespace

class LanguageFavoritesShellTest : public RecipeShellFixture {};

TEST_F(LanguageFavoritesShellTest, LanguageToDeutschChangesTheRecipeText)
{
    CQUORVANTAView* view = OpenCouplingFromTheExplorer();
    ASSERT_NE(view, nullptr);
    const QString before = StoredRecipeTexts(SHELL_COUPLING_STEP);
    LanguageShot(frame, "before");
    bool shown = false;
    QTimer::singleShot(0, [&] {
        auto* window = OpenWindow<CLanguagePreferenceWindow>();
        ASSERT_NE(window, nullptr);
        QComboBox* combo = window->languageCombo();
        EXPECT_EQ(combo->currentText(), "English");
        combo->setCurrentIndex(combo->findText("Deutsch"));
        LanguageShot(window, "dialog");
        prompts.expect(IDOK);
        window->OnOK();
        shown = true;
    });
    EXPECT_TRUE(PreferenceHub::runEntry(1375, frame));
    EXPECT_TRUE(shown);
    QCoreApplication::processEvents();
    const QString after = StoredRecipeTexts(SHELL_COUPLING_STEP);
    EXPECT_NE(after, before);
    EXPECT_TRUE(after.contains("nicht gesetzt") || after.contains("Bereiche")) << after.toStdString();
    EXPECT_EQ(GetLanguageDatabase()->GetName(), app->fileSet().workingLanguageDBPath);
    LanguageShot(frame, "after");
    prompts.expect(IDNO); // the save question at the end
}

TEST_F(LanguageFavoritesShellTest, AFavoriteMenuIsSavedAndInserted)
{
    CQUORVANTAView* view = OpenCouplingFromTheExplorer();
    ASSERT_NE(view, nullptr);
    const QString fop = m_root.path() + "/heating.fop";
    ScriptedFileDialogService files;
    files.expect(fop);
    bool shown = false;
    QTimer::singleShot(0, [&] {
        auto* dialog = OpenWindow<CCustomizeFavOperationDlg>();
        ASSERT_NE(dialog, nullptr);
        dialog->nameEdit()->setText("Heating");
        for (const char* name : {"Charge", "Heat"})
            dialog->availableList()->findItems(name, Qt::MatchExactly).value(0)->setSelected(true);
        dialog->OnAdd();
        LanguageShot(dialog, "favorites");
        dialog->OnOK();
        shown = true;
    });
    frame->action(ID_TOOLS_FAVORITE_OPERATIONS)->trigger();
    EXPECT_TRUE(shown);
    QFile file(fop);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(file.readAll(), "Heating\r\n4\r\n26");
    const int lines = StoredLines(SHELL_COUPLING_STEP).size();
    Click(*view, "");
    ClickEditMenu("Favorite Operations/Heating");
    EXPECT_EQ(StoredLines(SHELL_COUPLING_STEP).size(), lines + 2) << StoredLines(SHELL_COUPLING_STEP).join(" / ").toStdString();
    QCoreApplication::processEvents();
    LanguageShot(frame, "favorite-inserted");
    prompts.expect(IDNO);
}
