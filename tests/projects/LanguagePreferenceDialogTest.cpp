// The language preference on the Demo project with its language database open: what opening
// selects, when OK converts, the order of a change (converted copy first; stored, told and
// regenerated after) and that any failure leaves template, database and preference as they were.

#include "ProjectFixture.h"
#include "foundation/common/BusyGuard.h"
#include "foundation/common/ServiceSlot.h"
#include "foundation/common/concerns/DisplayOptions.h"
#include "foundation/common/concerns/ProjectControl.h"
#include "foundation/common/concerns/SubsystemConcerns.h"
#include "foundation/db/connection/DaoDatabase.h"
#include "foundation/db/files/DatabaseFiles.h"
#include "projects/LanguagePreferenceDialog.h"
#include "projects/LanguagePreferenceWindow.h"

#include <QComboBox>
#include <QFileInfo>
#include <QPushButton>

namespace {
const char* const QUESTION =
    "Tamro Plenthover will update the Text Recipe for all the Steps in the current project using the new "
    "language preference file. Do you wish to continue?";

class LanguageNotices : public DisplayOptionsService, public RecipeTextRegeneration, public ProjectControl {
public:
    void NotifyLanguageUpdate(const QString& language) override { calls << "notice " + language; }
    void UpdateRecipeTextOfAllSteps() override { calls << "regenerate"; }
    bool IsProjectOpen() const override { return projectOpen; }

    QStringList calls;
    bool projectOpen = true;
};

// Records what the dialog would show at opening instead of showing it.
class OpeningRecorder : public LanguageDialogService {
public:
    int RunLanguageDialog(CLanguagePreferenceDialog& dialog) override
    {
        selected << dialog.OnInitDialog();
        return IDCANCEL;
    }
    QStringList selected;
};
} // namespace

class LanguagePreferenceDialogTest : public ProjectFixture {
protected:
    void SetUp() override
    {
        OpenDemo();
        german = app.fakePaths().languageDir() + "QVDeutsch.lng";
        ASSERT_TRUE(CopyDatabaseFile(defaultLanguage, german));
        RawQuery(german, "UPDATE LanguageInfo SET LanguageName = 'Deutsch'");
        app.fileSet().languageTemplatePath = defaultLanguage;
        ASSERT_TRUE(app.fakePaths().SetLanguageFile(defaultLanguage));
        app.fileSet().workingLanguageDBPath = defaultLanguage;
        ASSERT_TRUE(manager.LanguageTemplate().OpenLanguageDatabase());
        installed.Install<LanguageDatabaseService>(&manager.LanguageTemplate());
        installed.Install<DisplayOptionsService>(&notices);
        installed.Install<RecipeTextRegeneration>(&notices);
        installed.Install<ProjectControl>(&notices);
    }
    void Store(const QString& path)
    {
        EditProject("DELETE FROM \"PREFER-Language\"");
        EditProject("INSERT INTO \"PREFER-Language\" (RecipeLanguagePath) VALUES ('" + path + "')");
        app.setProjectModified(false);
    }
    QString stored()
    {
        return LayerValue(app.fileSet().projectDBPath, "SELECT group_concat(RecipeLanguagePath) FROM \"PREFER-Language\"")
            .toString();
    }
    QString openLanguage()
    {
        CDaoDatabase* database = GetLanguageDatabase();
        return database ? database->GetName() : QString("none");
    }
    QString languageName() { return LayerValue(openLanguage(), "SELECT LanguageName FROM LanguageInfo").toString(); }

    ServiceInstallations installed;
    LanguageNotices notices;
    QString german;
};

TEST_F(LanguagePreferenceDialogTest, OpeningListsTheTemplatesAndSelectsTheStoredLanguage)
{
    WriteTextFile(app.fakePaths().languageDir() + "qvlower.LNG", "x");
    WriteTextFile(app.fakePaths().languageDir() + "Other.lng", "x");
    const std::pair<QString, QString> cases[] = {
        {"", "English"},
        {"QVDeutsch.lng", "Deutsch"},
        {"C:\\Program Files\\Quorvanta\\Language\\QVDeutsch.lng", "Deutsch"},
        {"QVMissing.lng", ""},
    };
    for (const auto& [path, selected] : cases) {
        path.isEmpty() ? EditProject("DELETE FROM \"PREFER-Language\"") : Store(path);
        CLanguagePreferenceDialog dialog;
        CLanguagePreferenceWindow window(dialog);
        QStringList entries;
        for (int i = 0; i < window.languageCombo()->count(); ++i)
            entries << window.languageCombo()->itemText(i) + "=" + window.languageCombo()->itemData(i).toString();
        EXPECT_EQ(entries, QStringList({"Deutsch=QVDeutsch.lng", "English=QVEnglish.lng", "lower=qvlower.LNG"}));
        EXPECT_EQ(window.languageCombo()->currentText(), selected) << path.toStdString();
        EXPECT_TRUE(window.applyButton()->isEnabled());
    }
    CLanguagePreferenceDialog chooser;
    chooser.m_bNewProject = true;
    EXPECT_FALSE(CLanguagePreferenceWindow(chooser).applyButton()->isEnabled());
}

// A bare name and the full path of the same template are the same language: OK converts nothing.
TEST_F(LanguagePreferenceDialogTest, OkWithTheLanguageInUseClosesWithoutConverting)
{
    for (const QString& path : {QString("QVEnglish.lng"), defaultLanguage}) {
        Store(path);
        CLanguagePreferenceDialog dialog;
        dialog.OnInitDialog();
        EXPECT_TRUE(dialog.OnOK("QVEnglish.lng", "English"));
        EXPECT_EQ(dialog.m_strTemplatePath, defaultLanguage);
        EXPECT_EQ(stored(), path);
    }
    EXPECT_TRUE(notices.calls.isEmpty());
    EXPECT_TRUE(prompts.texts().isEmpty());
}

TEST_F(LanguagePreferenceDialogTest, AChangeConvertsThenStoresTellsAndRegeneratesOnce)
{
    Store("QVEnglish.lng");
    CLanguagePreferenceDialog dialog;
    dialog.OnInitDialog();
    prompts.expect(IDOK);
    EXPECT_TRUE(dialog.OnOK("QVDeutsch.lng", "Deutsch"));
    EXPECT_EQ(prompts.texts(), QStringList{QUESTION});
    EXPECT_EQ(prompts.flags().value(0), unsigned(MB_OKCANCEL | MB_ICONQUESTION | MB_DEFBUTTON2));
    EXPECT_EQ(stored(), "QVDeutsch.lng");
    EXPECT_EQ(notices.calls, QStringList({"notice Deutsch", "regenerate"}));
    EXPECT_EQ(openLanguage(), german);
    EXPECT_EQ(languageName(), "Deutsch");
    EXPECT_EQ(app.fileSet().languageTemplatePath, german);
    EXPECT_EQ(dialog.m_strTemplatePath, german);
    EXPECT_FALSE(QFileInfo::exists(instanceDir() + "lang.tmp"));
}

// Apply asks and converts for the language in use too; a following OK then closes at once.
TEST_F(LanguagePreferenceDialogTest, ApplyWithTheSameLanguageConvertsAndOkThenDoesNot)
{
    CLanguagePreferenceDialog dialog;
    dialog.OnInitDialog();
    prompts.expect(IDOK);
    EXPECT_TRUE(dialog.OnApply("QVEnglish.lng", "English"));
    EXPECT_TRUE(dialog.OnOK("QVEnglish.lng", "English"));
    EXPECT_EQ(prompts.texts(), QStringList{QUESTION});
    EXPECT_EQ(notices.calls, QStringList({"notice English", "regenerate"}));
    EXPECT_EQ(stored(), "QVEnglish.lng");
    EXPECT_EQ(openLanguage(), defaultLanguage);
}

TEST_F(LanguagePreferenceDialogTest, RefusalsKeepTheDialogOpenAndChangeNothing)
{
    Store("QVEnglish.lng");
    CLanguagePreferenceDialog dialog;
    dialog.OnInitDialog();
    prompts.expect(IDOK);
    EXPECT_FALSE(dialog.OnOK("", ""));
    prompts.expect(IDOK);
    EXPECT_FALSE(dialog.OnOK("QVGone.lng", "Gone"));
    prompts.expect(IDCANCEL);
    EXPECT_FALSE(dialog.OnOK("QVDeutsch.lng", "Deutsch"));
    EXPECT_EQ(prompts.texts(),
              QStringList({"Please specify the language for the recipe text",
                           "The specified Recipe Language Template file \"" + app.fakePaths().languageDir() +
                               "QVGone.lng\" does not exist!",
                           QUESTION}));
    EXPECT_EQ(stored(), "QVEnglish.lng");
    EXPECT_EQ(dialog.m_strTemplatePath, "QVEnglish.lng");
    EXPECT_TRUE(notices.calls.isEmpty());
}

// A template the step module refuses, and a preference that cannot be written: the old language
// database stays (or is back) open, the preference and the template as they were, nothing told.
TEST_F(LanguagePreferenceDialogTest, AFailedConversionOrSaveLeavesEverythingAsItWas)
{
    Store("QVEnglish.lng");
    const int ours = RawQuery(german, "PRAGMA application_id").toInt();
    RawQuery(german, "PRAGMA application_id = 4242");
    CLanguagePreferenceDialog dialog;
    dialog.OnInitDialog();
    for (int i = 0; i < 3; ++i)
        prompts.expect(IDOK); // the question, the step module's refusal, the conversion's message
    EXPECT_FALSE(dialog.OnOK("QVDeutsch.lng", "Deutsch"));
    EXPECT_EQ(prompts.lastText(), "Can't convert the language database!");
    EXPECT_EQ(openLanguage(), defaultLanguage);
    RawQuery(german, QString("PRAGMA application_id = %1").arg(ours));
    EditProject("CREATE TRIGGER refuse BEFORE UPDATE ON \"PREFER-Language\" "
                "BEGIN SELECT RAISE(ABORT, 'language row is locked'); END");
    app.setProjectModified(false);
    prompts.expect(IDOK);
    prompts.expect(IDOK);
    EXPECT_FALSE(dialog.OnOK("QVDeutsch.lng", "Deutsch"));
    EXPECT_TRUE(prompts.lastText().contains("language row is locked")) << prompts.lastText().toStdString();
    EXPECT_EQ(openLanguage(), defaultLanguage);
    EXPECT_EQ(languageName(), "English");
    EXPECT_EQ(app.fileSet().languageTemplatePath, defaultLanguage);
    EXPECT_EQ(app.paths()->workingLanguageDBPath(), defaultLanguage);
    EXPECT_EQ(stored(), "QVEnglish.lng");
    EXPECT_TRUE(notices.calls.isEmpty());
    EXPECT_FALSE(app.isProjectModified());
}

// The message's text selects its language; it writes nothing; no project or a busy program: nothing.
TEST_F(LanguagePreferenceDialogTest, TheLanguageMessageOnlySelectsItsLanguage)
{
    Store("QVEnglish.lng");
    OpeningRecorder recorder;
    installed.Install<LanguageDialogService>(&recorder);
    OnLanguageMessage("QVDeutsch.lng");
    OnLanguageMessage(german);
    {
        CBusyScope busy;
        OnLanguageMessage("QVDeutsch.lng");
    }
    notices.projectOpen = false;
    OnLanguageMessage("QVDeutsch.lng");
    EXPECT_EQ(recorder.selected, QStringList({"Deutsch", "Deutsch"}));
    EXPECT_EQ(stored(), "QVEnglish.lng");
    EXPECT_FALSE(app.isProjectModified());
}
