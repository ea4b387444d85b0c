#include "ProjectFixture.h"

#include "foundation/common/ServiceSlot.h"
#include "foundation/common/concerns/AppContext.h"
#include "foundation/db/files/DatabaseFiles.h"
#include "projects/LanguagePreferenceDialog.h"

#include <QDir>
#include <QFileInfo>

namespace {
const char* const TEMPLATE_MISSING =
    "The selected Recipe Language Template file is missing. Do you want to open the project in English? \r\n "
    "The converted recipe text will be saved in English and the previous recipe text will be deleted.";
const char* const NOT_CURRENT =
    "The selected language template \"%1\" is not in the current version.\n\n\tSelect YES to convert the "
    "template.\n\tSelect NO to choose a different template.";
const char* const NONE_SELECTED =
    "Tamro Plenthover could not open the project since no Recipe Language Template file is selected!";
} // namespace

class LanguageTemplateTest : public ProjectFixture {
protected:
    // The Demo project with a stored language template path.
    QString DemoStoring(const QString& templatePath)
    {
        const QString path = WriteDemo();
        RawQuery(path,
                 "INSERT INTO \"PREFER-Language\" (RecipeLanguagePath) VALUES ('" + templatePath + "')");
        return path;
    }
    // A language database in the install's Language folder that the step module does not accept.
    QString ForeignTemplate()
    {
        const QString path = app.fakePaths().languageDir() + "Other.lng";
        EXPECT_TRUE(CopyDatabaseFile(defaultLanguage, path));
        RawQuery(path, "PRAGMA application_id = 4242");
        return path;
    }
};

TEST_F(LanguageTemplateTest, AStoredRelativePathLiesInTheLanguageFolder)
{
    const QString other = app.fakePaths().languageDir() + "Second.lng";
    ASSERT_TRUE(CopyDatabaseFile(defaultLanguage, other));
    ASSERT_TRUE(OpenGiven(DemoStoring("Second.lng")));
    EXPECT_EQ(app.fileSet().languageTemplatePath, other);
    EXPECT_EQ(app.fileSet().workingLanguageDBPath, other);
    EXPECT_FALSE(app.isProjectModified());
}

// No closes the project; Yes stores the default in its place.
TEST_F(LanguageTemplateTest, AMissingTemplateIsReplacedByTheDefaultOnYes)
{
    const QString path = DemoStoring("Missing.lng");
    prompts.expect(IDNO);
    EXPECT_FALSE(OpenGiven(path));
    EXPECT_EQ(app.fileSet().projectDatabase, nullptr);
    EXPECT_EQ(frame.calls().last(), "CloseAllViews");
    EXPECT_EQ(QDir(instanceDir()).entryList({"Demo.*"}, QDir::Files), QStringList());
    prompts.expect(IDYES);
    ASSERT_TRUE(OpenGiven(path)) << prompts.lastText().toStdString();
    EXPECT_EQ(prompts.texts(), (QStringList{TEMPLATE_MISSING, TEMPLATE_MISSING}));
    EXPECT_EQ(app.fileSet().languageTemplatePath, defaultLanguage);
    EXPECT_EQ(LayerValue(app.fileSet().projectDBPath, "SELECT RecipeLanguagePath FROM \"PREFER-Language\"")
                  .toString(),
              defaultLanguage);
    EXPECT_TRUE(app.isProjectModified());
}

TEST_F(LanguageTemplateTest, WithoutAStoredTemplateOrADefaultTheProjectCannotBeOpened)
{
    ASSERT_TRUE(DeleteDatabaseFile(defaultLanguage));
    prompts.expect(IDOK);
    EXPECT_FALSE(OpenGiven(WriteDemo()));
    EXPECT_EQ(prompts.texts(),
              QStringList{"Tamro Plenthover could not find the default Recipe Language Template in " +
                          defaultLanguage +
                          ". The project cannot be opened. Please contact Customer Support for "
                          "help."});
}

// Yes converts the outdated template, which fails here and leaves it as it was; after No the open
// goes on only with another template chosen in the dialog.
TEST_F(LanguageTemplateTest, AnOutdatedTemplateIsConvertedOrAnotherOneChosen)
{
    const QString foreign = ForeignTemplate(), path = DemoStoring("Other.lng");
    const QByteArray before = FileBytes(foreign);
    prompts.expect(IDYES);
    prompts.expect(IDOK); // the step module's refusal
    prompts.expect(IDOK);
    EXPECT_FALSE(OpenGiven(path));
    ASSERT_EQ(prompts.texts().size(), 3);
    EXPECT_EQ(prompts.texts().last(), "Can't convert the language database!");
    EXPECT_EQ(FileBytes(foreign), before);
    EXPECT_FALSE(QFileInfo::exists(instanceDir() + "lang.tmp"));
    prompts.clear();
    struct CancelChooser : LanguageDialogService {
        int RunLanguageDialog(CLanguagePreferenceDialog&) override { return IDCANCEL; }
    } cancel;
    ServiceInstallations cancelling;
    cancelling.Install<LanguageDialogService>(&cancel);
    prompts.expect(IDNO);
    prompts.expect(IDOK);
    EXPECT_FALSE(OpenGiven(path));
    EXPECT_EQ(prompts.texts(), (QStringList{QString(NOT_CURRENT).arg(foreign), NONE_SELECTED}));
    EXPECT_TRUE(frame.callsNamed("OnProjectOpened").isEmpty());
    struct ChooseDefault : LanguageDialogService {
        QString path;
        int RunLanguageDialog(CLanguagePreferenceDialog& dialog) override
        {
            EXPECT_TRUE(dialog.m_bNewProject) << "the open's chooser only chooses";
            dialog.m_strTemplatePath = path;
            return IDOK;
        }
    } chooser;
    chooser.path = defaultLanguage;
    ServiceInstallations installed;
    installed.Install<LanguageDialogService>(&chooser);
    prompts.expect(IDNO);
    ASSERT_TRUE(OpenGiven(path));
    EXPECT_EQ(app.fileSet().workingLanguageDBPath, defaultLanguage);
    EXPECT_EQ(LayerValue(app.fileSet().projectDBPath, "SELECT RecipeLanguagePath FROM \"PREFER-Language\"")
                  .toString(),
              defaultLanguage);
}
