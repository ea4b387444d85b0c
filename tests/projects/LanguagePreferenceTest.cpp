#include "projects/LanguagePreference.h"
#include "ProjectsTestSupport.h"
#include "ScriptedPrompts.h"
#include "foundation/db/DaoDatabase.h"

class LanguagePreferenceTest : public ProjectsFixture {
protected:
    void SetUp() override { m_app.fileSet().projectDBPath = build(DatabaseKind::Project, "Demo.wc"); }
    QString wc() { return m_app.fileSet().projectDBPath; }
    int rows() { return RawQuery(wc(), "SELECT count(*) FROM \"PREFER-Language\"").toInt(); }
    QString stored()
    {
        return RawQuery(wc(), "SELECT RecipeLanguagePath FROM \"PREFER-Language\"").toString();
    }
};

TEST_F(LanguagePreferenceTest, EditsTheRowOrAddsOneAndMarksTheProjectModified)
{
    for (bool emptyTable : {true, false}) {
        RawQuery(wc(), "DELETE FROM \"PREFER-Language\"");
        if (!emptyTable)
            RawQuery(wc(), "INSERT INTO \"PREFER-Language\" (RecipeLanguagePath) VALUES ('QVEnglish.lng')");
        CLanguagePreferenceDialog dialog;
        dialog.m_strTemplatePath = "QVGerman.lng";
        EXPECT_TRUE(dialog.SaveLanguagePreference());
        EXPECT_EQ(rows(), 1);
        EXPECT_EQ(stored(), "QVGerman.lng");
        EXPECT_EQ(RawQuery(wc(), "SELECT count(*) FROM \"TempPREFER-Language\"").toInt(), 0);
    }
    EXPECT_EQ(m_app.modifiedHistory(), QList<bool>({true, true}));
}

TEST_F(LanguagePreferenceTest, WritesThroughTheOpenProjectDatabase)
{
    CDaoDatabase project;
    project.Open(wc(), DatabaseRole::WorkingCopy);
    CLanguagePreferenceDialog dialog;
    dialog.m_strTemplatePath = "/opt/languages/QVFrench.lng";
    EXPECT_TRUE(dialog.SaveLanguagePreference());
    project.Close();
    EXPECT_EQ(stored(), "/opt/languages/QVFrench.lng");
}

TEST_F(LanguagePreferenceTest, ATableThatCannotBeOpenedIsReported)
{
    RawQuery(wc(), "DROP TABLE \"PREFER-Language\"");
    ScriptedPromptService prompts;
    prompts.expect(IDOK);
    prompts.expect(IDOK);
    CLanguagePreferenceDialog dialog;
    dialog.m_strTemplatePath = "QVGerman.lng";
    EXPECT_FALSE(dialog.SaveLanguagePreference());
    EXPECT_EQ(prompts.texts().size(), 2);
    EXPECT_EQ(prompts.lastText(), "Can't open Language Preference table for update!");
    EXPECT_TRUE(m_app.modifiedHistory().isEmpty());
}

TEST_F(LanguagePreferenceTest, AWriteThatFailsShowsTheEngineTextAndChangesNothing)
{
    RawQuery(wc(), "CREATE TRIGGER refuse BEFORE UPDATE ON \"PREFER-Language\" "
                   "BEGIN SELECT RAISE(ABORT, 'language row is locked'); END");
    RawQuery(wc(), "INSERT INTO \"PREFER-Language\" (RecipeLanguagePath) VALUES ('QVEnglish.lng')");
    ScriptedPromptService prompts;
    prompts.expect(IDOK);
    CLanguagePreferenceDialog dialog;
    dialog.m_strTemplatePath = "QVGerman.lng";
    EXPECT_FALSE(dialog.SaveLanguagePreference());
    EXPECT_TRUE(prompts.lastText().contains("language row is locked")) << prompts.lastText().toStdString();
    EXPECT_EQ(stored(), "QVEnglish.lng");
    EXPECT_TRUE(m_app.modifiedHistory().isEmpty());
}

TEST(LanguagePreferenceDialogTest, TheDialogAnswersCancelUntilAHookRunsIt)
{
    CLanguagePreferenceDialog dialog;
    EXPECT_EQ(dialog.DoModal(), IDCANCEL);
    const auto previous = CLanguagePreferenceDialog::SetDialogHook([](CLanguagePreferenceDialog& shown) {
        shown.m_strTemplatePath = "QVSpanish.lng";
        return IDOK;
    });
    EXPECT_EQ(dialog.DoModal(), IDOK);
    EXPECT_EQ(dialog.m_strTemplatePath, "QVSpanish.lng");
    CLanguagePreferenceDialog::SetDialogHook(previous);
    EXPECT_EQ(dialog.DoModal(), IDCANCEL);
}
