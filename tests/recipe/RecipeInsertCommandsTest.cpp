#include "RecipeInsertFixture.h"

#include "foundation/common/CommandIds.h"
#include "foundation/common/FavoriteOperations.h"
#include "foundation/db/connection/DaoDatabase.h"
#include "recipe/view/TestOperationDialog.h"

#include <QFile>
#include <QLineEdit>
#include <QSettings>

namespace {
constexpr int HEAT_COMMAND = 32917;
const int INSERT_COMMANDS[] = {
    HEAT_COMMAND, ID_INSERT_ANY_OPERATION, ID_INSERT_UNIT_PROCEDURE, ID_INSERT_PARALLEL,
    ID_INSERT_OR, ID_INSERT_SERIES};

// "1" or "0" per command of INSERT_COMMANDS.
QString Enabled(const CQUORVANTAView& view)
{
    QString states;
    for (const int id : INSERT_COMMANDS)
        states += view.IsCommandEnabled(id) ? '1' : '0';
    return states;
}

void WriteFile(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(bytes);
}
} // namespace

TEST_F(RecipeInsertFixture, EnablingFollowsTheSelectionAndTheInsertMode)
{
    CQUORVANTAView& view = OpenCoupling(); // the first line is selected
    SetInsertAfter(false);
    EXPECT_EQ(Enabled(view), "001111") << "Insert Before on the first line";
    SetInsertAfter(true);
    EXPECT_EQ(Enabled(view), "111111");
    view.OnLineClicked(view.Line(13), true); // Ctrl-click outside the selected unit procedure: two lines
    ASSERT_TRUE(view.IsMultiSelect());
    EXPECT_EQ(Enabled(view), "000000");
    SetInsertAfter(false);
    EXPECT_EQ(Enabled(view), "000000");
}

TEST_F(RecipeInsertFixture, EmptyRecipeEnablesOnlyInsertUnitProcedure)
{
    OpenDemo();
    EditStep(COUPLING_STEP, "DELETE FROM TextRecipe");
    const CQUORVANTAView& view = OpenView(COUPLING_STEP);
    EXPECT_EQ(Enabled(view), "001000");
}

// Unit procedures and operations refresh the frame's step panes once; keyword blocks and inserts
// that wrote nothing leave them alone.
TEST_F(RecipeInsertFixture, StepPanesFollowInsertsOfUnitProceduresAndOperations)
{
    const struct {
        const char* name;
        int command;
        const char* answer; // the dialog's: none asked for null, cancelled for ""
        int refreshes;
    } cases[] = {
        {"operation", HEAT_COMMAND, "Heat", 1},
        {"unit procedure", ID_INSERT_UNIT_PROCEDURE, "Filtration", 1},
        {"parallel block", ID_INSERT_PARALLEL, nullptr, 0},
        {"cancelled operation", HEAT_COMMAND, "", 0},
        {"cancelled unit procedure", ID_INSERT_UNIT_PROCEDURE, "", 0},
    };
    CQUORVANTAView& view = OpenCoupling("Age R-102");
    for (const auto& c : cases) {
        panes.refreshes = 0;
        if (c.answer && *c.answer)
            dialogs.answer(QString::fromLatin1(c.answer));
        else if (c.answer)
            dialogs.cancel();
        view.OnCommand(c.command);
        EXPECT_EQ(panes.refreshes, c.refreshes) << c.name;
    }
}

TEST(TestOperationDialogTest, AcceptsTypeIdsFrom0To200Only)
{
    ScriptedPromptService prompts;
    const std::pair<const char*, bool> cases[] = {{"0", true}, {"200", true}, {"201", false}, {"-1", false}};
    for (const auto& [text, accepted] : cases) {
        CTestOperationDialog dialog;
        EXPECT_EQ(dialog.windowTitle(), "Test New Operations Dialog");
        dialog.edit()->setText(QString::fromLatin1(text));
        if (!accepted)
            prompts.expect(IDOK);
        dialog.accept();
        EXPECT_EQ(dialog.result() == QDialog::Accepted, accepted) << text;
        if (accepted)
            EXPECT_EQ(dialog.operationTypeID(), QString::fromLatin1(text).toInt());
        else
            EXPECT_EQ(prompts.lastText(), "Please enter an integer between 0 and 200.");
    }
}

TEST_F(RecipeInsertFixture, HiddenCommandInsertsTheTypeEntered)
{
    CQUORVANTAView& view = OpenCoupling("Age R-102");
    const TestOperationTypeSource previous =
        SetTestOperationTypeSource([](QWidget*) { return std::optional(25); });
    dialogs.answer("Cool");
    view.OnCommand(ID_INSERT_ANY_OPERATION);
    SetTestOperationTypeSource(previous);
    EXPECT_EQ(view.Line(16)->line().operationTypeID, 25);
    EXPECT_EQ(view.Line(16)->text(), "Cool ...");
}

TEST(FavoriteOperationsFileTest, ReadsTheNameAndTheIdsUpToTheFirstThatDoesNotRead)
{
    QTemporaryDir folder;
    const QString path = folder.filePath("list.fop");
    const std::pair<QByteArray, std::pair<QString, QList<long>>> cases[] = {
        {"Reactor\r\n4\r\n26\r\n25", {"Reactor", {4, 26, 25}}},
        {"Empty menu", {"Empty menu", {}}},
        {"Stops\r\n4\r\nx\r\n26", {"Stops", {4}}},
        {QByteArray(120, 'n') + "\r\n4", {QString(98, 'n'), {4}}},
    };
    for (const auto& [bytes, expected] : cases) {
        WriteFile(path, bytes);
        const auto file = ReadFavoriteOperationsFile(path);
        ASSERT_TRUE(file);
        EXPECT_EQ(std::pair(file->name, file->operationTypeIDs), expected) << bytes.left(20).toStdString();
    }
    EXPECT_FALSE(ReadFavoriteOperationsFile(folder.filePath("missing.fop")));
}

TEST_F(RecipeInsertFixture, FavouriteListInsertsItsOperationsOneAfterTheOtherUnderItsName)
{
    CQUORVANTAView& view = OpenCoupling("Age R-102");
    const QString path = app.root() + "heat.fop";
    WriteFile(path, "Heat and cool\r\n26\r\n25");
    app.profile()->setValue("Favorite Operations 2/Path", path);
    GetFavoriteOperationsName(1, 1); // the name is read again, as after the favourites dialog saved
    GetFavoriteOperationsName(1, 0);
    EXPECT_EQ(view.CommandText(ID_FAVORITES_2), "Heat and cool");
    EXPECT_TRUE(view.IsCommandEnabled(ID_FAVORITES_2));
    EXPECT_FALSE(view.IsCommandEnabled(ID_FAVORITES_1)) << "a list without a file";
    dialogs.answer("Heat");
    dialogs.answer("Cool");
    view.OnCommand(ID_FAVORITES_2);
    EXPECT_EQ(view.Line(16)->text(), "Heat ...");
    EXPECT_EQ(view.Line(17)->text(), "Cool ...");
    EXPECT_EQ(std::pair(view.Line(17)->line().label, view.GetFirstSelectedIndex()),
              std::pair(QString("2.5."), 17));
    app.profile()->remove("Favorite Operations 2/Path");
    GetFavoriteOperationsName(1, 1);
}
