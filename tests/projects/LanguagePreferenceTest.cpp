#include "projects/LanguagePreferenceDialog.h"
#include "ProjectsTestSupport.h"
#include "foundation/db/connection/DaoDatabase.h"

class LanguagePreferenceTest : public ProjectsFixture {
protected:
    void SetUp() override { m_app.fileSet().projectDBPath = build(DatabaseKind::Project, "Demo.wc"); }
    QString wc() { return m_app.fileSet().projectDBPath; }
    QString stored()
    {
        return RawQuery(wc(), "SELECT group_concat(RecipeLanguagePath) FROM \"PREFER-Language\"").toString();
    }
    bool save(const QString& path)
    {
        CLanguagePreferenceDialog dialog;
        dialog.m_strTemplatePath = path;
        return dialog.SaveLanguagePreference();
    }
};

// The second save runs while the project database is open through the layer.
TEST_F(LanguagePreferenceTest, EditsTheRowOrAddsOneAndMarksTheProjectModified)
{
    EXPECT_TRUE(save("QVGerman.lng"));
    EXPECT_EQ(stored(), "QVGerman.lng");
    CDaoDatabase project;
    project.Open(wc(), DatabaseRole::WorkingCopy);
    EXPECT_TRUE(save("/opt/languages/QVFrench.lng"));
    project.Close();
    EXPECT_EQ(stored(), "/opt/languages/QVFrench.lng");
    EXPECT_EQ(RawQuery(wc(), "SELECT count(*) FROM \"TempPREFER-Language\"").toInt(), 0);
    EXPECT_EQ(m_app.modifiedHistory(), QList<bool>({true, true}));
}

// A failing write shows the engine's text; a table that cannot be opened is reported.
TEST_F(LanguagePreferenceTest, AFailedSaveSaysWhyAndChangesNothing)
{
    RawQuery(wc(), "CREATE TRIGGER refuse BEFORE UPDATE ON \"PREFER-Language\" "
                   "BEGIN SELECT RAISE(ABORT, 'language row is locked'); END");
    RawQuery(wc(), "INSERT INTO \"PREFER-Language\" (RecipeLanguagePath) VALUES ('QVEnglish.lng')");
    expectOk(3);
    EXPECT_FALSE(save("QVGerman.lng"));
    EXPECT_TRUE(m_prompts.lastText().contains("language row is locked"))
        << m_prompts.lastText().toStdString();
    EXPECT_EQ(stored(), "QVEnglish.lng");
    RawQuery(wc(), "DROP TABLE \"PREFER-Language\"");
    EXPECT_FALSE(save("QVGerman.lng"));
    EXPECT_EQ(m_prompts.lastText(), "Can't open Language Preference table for update!");
    EXPECT_TRUE(m_app.modifiedHistory().isEmpty());
}
