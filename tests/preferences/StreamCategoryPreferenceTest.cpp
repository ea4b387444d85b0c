// The stream category dialog on three steps, the second of which names category 2 in an operation
// field: deletion texts, usage checks, renames and what OK writes.

#include "LibraryDialogFixture.h"
#include "LibraryGridSelection.h"
#include "preferences/lists/StreamCategoryPreferenceDialog.h"

class StreamCategoryPreferenceTest : public LibraryDialogTest {
protected:
    QString categories()
    {
        return value(0, "SELECT group_concat(StreamCategoryID || StreamCategory || ifnull(DisposalCost, 'null') ||"
                        " ifnull(DisposalCostUOM, ''), ',') FROM StreamCategoryTable")
            .toString();
    }
};

TEST_F(StreamCategoryPreferenceTest, DeleteTextsForRowsAndForTheWholeTable)
{
    CStreamCategoryPreferenceDialog dialog;
    EXPECT_EQ(dialog.windowTitle(), "Stream Category");
    SelectGridRows(dialog.grid(), {1, 2});
    m_prompts.expect(IDOK);
    dialog.OnDelete();
    EXPECT_EQ(m_prompts.lastText(), "You can't delete this Stream Category since it is used in current project!");
    EXPECT_EQ(dialog.grid()->GetRowCount(), 2);
    dialog.grid()->selectAll();
    m_prompts.expect(IDOK);
    dialog.OnDelete();
    EXPECT_EQ(m_prompts.lastText(), "You can't delete this Stream Category since it is used in the current project!");
    EXPECT_EQ(dialog.grid()->GetValueRowCol(1, 1), "Solvent");
    dialog.OnCommandHelp();
    EXPECT_EQ(m_help.shown, QStringList{"USERMANUAL.CHM 345"});
}

// START is never searched; a step without its database fails the check, which refuses like a use.
TEST_F(StreamCategoryPreferenceTest, UsageChecks)
{
    execute(0, "INSERT INTO ProjectStep (StepID, StepName) VALUES (4000, 'start')");
    CStreamCategoryPreferenceDialog dialog;
    EXPECT_EQ(dialog.IsStreamCategoryUsed("2"), CStreamCategoryPreferenceDialog::USED);
    EXPECT_EQ(dialog.IsStreamCategoryUsed("1"), CStreamCategoryPreferenceDialog::NOT_USED);
    EXPECT_EQ(dialog.IsStreamCategoryUsed(""), CStreamCategoryPreferenceDialog::NOT_USED);
    m_app.stepDatabases().removeAt(2);
    m_prompts.expect(IDOK);
    EXPECT_EQ(dialog.IsStreamCategoryUsed("1"), CStreamCategoryPreferenceDialog::CHECK_FAILED);
    EXPECT_EQ(m_prompts.lastText(), "A step database cannot be found.");
    dialog.grid()->SetCurrentCell(1, 1);
    m_prompts.expect(IDOK);
    m_prompts.expect(IDOK);
    dialog.OnDelete();
    EXPECT_EQ(dialog.grid()->GetRowCount(), 3);
}

TEST_F(StreamCategoryPreferenceTest, ClearedNamesDeleteOnlyUnusedCategories)
{
    const QString before = categories();
    CStreamCategoryPreferenceDialog dialog;
    dialog.grid()->SetValueRowCol(2, 1, " ");
    m_prompts.expect(IDOK);
    dialog.OnOK();
    EXPECT_EQ(m_prompts.lastText(),
              "You can't delete the Stream Category at 2 row since it is used in the current project!");
    EXPECT_EQ(dialog.result(), 0);
    EXPECT_EQ(categories(), before);
    dialog.grid()->SetValueRowCol(2, 1, "Solvent");
    dialog.grid()->SetValueRowCol(1, 1, "");
    dialog.OnOK();
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    EXPECT_EQ(categories(), "2Solvent1.5USD/kg,3Solidnull");
    EXPECT_TRUE(m_frame.calls.isEmpty());
}

// Letter case alone is a new name; only a used category's new name regenerates the texts.
TEST_F(StreamCategoryPreferenceTest, RenamesOfUsedCategoriesRegenerate)
{
    const struct {
        int row;
        const char* name;
        bool regenerates;
    } renames[] = {{3, "  Solids  ", false}, {2, "SOLVENT", true}};
    for (const auto& rename : renames) {
        m_frame.calls.clear();
        CStreamCategoryPreferenceDialog dialog;
        dialog.grid()->SetValueRowCol(rename.row, 1, rename.name);
        dialog.OnOK();
        EXPECT_EQ(dialog.result(), QDialog::Accepted);
        EXPECT_EQ(m_frame.calls, rename.regenerates ? QStringList{"regenerate"} : QStringList());
    }
    EXPECT_EQ(categories(), "1Aqueous0.5USD/kg,2SOLVENT1.5USD/kg,3Solidsnull");
    EXPECT_TRUE(modified());
}

TEST_F(StreamCategoryPreferenceTest, InsertedCategoriesGetTheNextIdAndAnEmptyCostStaysNull)
{
    for (const bool empty : {true, false}) {
        if (empty)
            execute(0, "DELETE FROM StreamCategoryTable");
        CStreamCategoryPreferenceDialog dialog;
        dialog.OnInsert();
        const int row = dialog.grid()->GetRowCount();
        EXPECT_EQ(dialog.grid()->GetValueRowCol(row, 4), empty ? "0" : "1");
        dialog.grid()->SetValueRowCol(row, 1, empty ? "Sludge" : "Off-gas");
        dialog.grid()->SetValueRowCol(row, 2, empty ? "" : "2.25");
        dialog.grid()->SetValueRowCol(row, 3, empty ? "" : "USD/kg");
        dialog.OnOK();
        EXPECT_EQ(dialog.result(), QDialog::Accepted);
    }
    EXPECT_EQ(categories(), "0Sludgenull,1Off-gas2.25USD/kg");
}

TEST_F(StreamCategoryPreferenceTest, AFailedSaveKeepsTheDialogOpen)
{
    execute(0, "CREATE TRIGGER RefuseCategory BEFORE INSERT ON StreamCategoryTable "
               "BEGIN SELECT RAISE(ABORT, 'categories refused'); END");
    const QString before = categories();
    CStreamCategoryPreferenceDialog dialog;
    dialog.grid()->SetValueRowCol(1, 1, "");
    m_prompts.expect(IDOK);
    dialog.OnOK();
    EXPECT_TRUE(m_prompts.lastText().contains("categories refused"));
    EXPECT_EQ(dialog.result(), 0);
    EXPECT_EQ(categories(), before);
    EXPECT_FALSE(modified());
}
