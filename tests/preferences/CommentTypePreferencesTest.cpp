// The comment type dialog on three steps, the second of which holds a step comment of type 2 and
// an operation comment of type 3: the protected types, validation, ids, and what OK writes.

#include "LibraryDialogFixture.h"
#include "foundation/controls/ObjectGridWnd.h"
#include "preferences/lists/CommentTypePreferencesDialog.h"

class CommentTypePreferencesTest : public LibraryDialogTest {
protected:
    void SetUp() override
    {
        LibraryDialogTest::SetUp();
        execute(0, "INSERT INTO TblCommentLibrary (CommentTypeID, Description, \"Default\") VALUES (4, 'Batch Record', 0)");
        execute(0, "INSERT INTO TextRecipeOptions (Options, Value) VALUES ('CommentTypeID', 4)");
    }
    QString library()
    {
        return value(0, "SELECT group_concat(CommentTypeID || Description || \"Default\", ',') FROM TblCommentLibrary")
            .toString();
    }
    // Answers the message boxes of a refusal and says whether the row is gone.
    bool deleteRow(CCommentTypePreferencesDialog& dialog, int row, int messages = 0)
    {
        const int rows = dialog.grid()->GetRowCount();
        for (int i = 0; i < messages; ++i)
            m_prompts.expect(IDOK);
        dialog.grid()->SetCurrentCell(row, 1);
        dialog.OnDelete();
        return dialog.grid()->GetRowCount() == rows - 1;
    }
};

TEST_F(CommentTypePreferencesTest, ProtectedTypesAreRefusedAndTheirRowsStay)
{
    const struct {
        int row;
        const char* message;
    } refusals[] = {{1, "The Tamro Plenthover General Comment can not be deleted!"},
                    {4, "This comment type can not be deleted because it is specify for recipe viewing!"},
                    {2, "Can not delete the Comment Type because it is used in the project!"},  // a step comment
                    {3, "Can not delete the Comment Type because it is used in the project!"}}; // an operation's
    CCommentTypePreferencesDialog dialog;
    for (const auto& refusal : refusals) {
        SCOPED_TRACE(refusal.row);
        EXPECT_FALSE(deleteRow(dialog, refusal.row, 1));
        EXPECT_EQ(m_prompts.lastText(), refusal.message);
    }
    dialog.OnCommandHelp();
    EXPECT_EQ(m_help.shown, QStringList{"USERMANUAL.CHM 727"});
}

// The operation comments are read through the data module: a read that fails refuses the delete.
TEST_F(CommentTypePreferencesTest, AFailedOperationCommentReadRefusesTheDelete)
{
    execute(USING_STEP, "ALTER TABLE TblCommentData RENAME TO TblCommentRows");
    execute(USING_STEP, "CREATE VIEW TblCommentData AS SELECT CommentID, OperationID, CommentTypeID, CommentRTF,"
                        " CASE WHEN OperationID = 0 THEN CommentText ELSE abs(-9223372036854775807 - 1) END"
                        " AS CommentText FROM TblCommentRows");
    const QString before = library();
    CCommentTypePreferencesDialog dialog;
    EXPECT_FALSE(deleteRow(dialog, 3, 2));
    EXPECT_EQ(m_prompts.texts(), QStringList({"Can't open Table TblCommentData!",
                                              "Can not delete the Comment Type because it is used in the project!"}));
    EXPECT_EQ(library(), before);
    EXPECT_TRUE(m_frame.calls.isEmpty());
    EXPECT_FALSE(modified());
}

TEST_F(CommentTypePreferencesTest, DeletingTheDefaultNeedsANewOneBeforeOk)
{
    CCommentTypePreferencesDialog dialog;
    dialog.grid()->SetCurrentCell(4, 1);
    dialog.OnSetDefault();
    ASSERT_EQ(dialog.DefaultCommentTypeID(), 4);
    dialog.OnInsert();
    ASSERT_EQ(dialog.grid()->GetValueRowCol(5, 2), "5");
    dialog.grid()->SetValueRowCol(5, 1, "Spare");
    dialog.grid()->SetCurrentCell(5, 1);
    dialog.OnSetDefault();
    EXPECT_TRUE(deleteRow(dialog, 5));
    EXPECT_EQ(dialog.DefaultCommentTypeID(), 0);
    m_prompts.expect(IDOK);
    dialog.OnOK();
    EXPECT_EQ(m_prompts.lastText(), "Please specify the default comment type!");
    EXPECT_EQ(dialog.result(), 0);
}

TEST_F(CommentTypePreferencesTest, NamesAreCheckedBeforeAnythingIsWritten)
{
    const QString before = library();
    CCommentTypePreferencesDialog dialog;
    dialog.OnInsert();
    m_prompts.expect(IDOK);
    dialog.OnOK(); // a blank new row
    EXPECT_EQ(dialog.result(), 0);
    dialog.grid()->SetValueRowCol(5, 1, " Safety ");
    m_prompts.expect(IDOK);
    dialog.OnOK();
    EXPECT_EQ(m_prompts.lastText(),
              "The Comment Description Safety in row 5 has already been used, please give a different name!");
    dialog.grid()->SetValueRowCol(5, 1, "Hand:ling");
    m_prompts.expect(IDOK);
    dialog.OnOK();
    EXPECT_EQ(dialog.grid()->GetValueRowCol(5, 1), "Handling");
    EXPECT_EQ(library(), before);
    dialog.grid()->SetValueRowCol(5, 1, "SAFETY"); // letter case alone makes it different
    dialog.OnOK();
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    EXPECT_EQ(library(), "1General1,2Safety0,3Quality0,4Batch Record0,5SAFETY0");
    EXPECT_EQ(m_frame.calls, QStringList{"comment types"});
    EXPECT_TRUE(modified());
}

TEST_F(CommentTypePreferencesTest, ANewNameOfAUsedTypeReachesTheRecipeTexts)
{
    execute(0, "INSERT INTO TextRecipeOptions (Options, Value) VALUES ('CommentTypeID', 2)");
    for (const int row : {4, 2}) { // unused, then used by the second step's comment
        m_frame.calls.clear();
        CCommentTypePreferencesDialog dialog;
        dialog.grid()->SetValueRowCol(row, 1, row == 2 ? "Hazards" : "Record");
        dialog.OnOK();
        EXPECT_EQ(dialog.result(), QDialog::Accepted);
        EXPECT_EQ(m_frame.calls, row == 2 ? QStringList({"comment types", "regenerate"}) : QStringList{"comment types"});
    }
    EXPECT_TRUE(m_frame.options.comments);
    EXPECT_TRUE(m_frame.options.commentTypeDescriptions.contains("Hazards"));
}

// The last row deleted and saved: its id is handed out again next time.
TEST_F(CommentTypePreferencesTest, NewIdsFollowTheLargestIdAndAnUnusedLastOneComesBack)
{
    execute(0, "DELETE FROM TextRecipeOptions WHERE Options = 'CommentTypeID' AND Value = 4");
    {
        CCommentTypePreferencesDialog dialog;
        EXPECT_TRUE(deleteRow(dialog, 4));
        dialog.OnOK();
        ASSERT_EQ(dialog.result(), QDialog::Accepted);
    }
    CCommentTypePreferencesDialog dialog;
    dialog.OnInsert();
    dialog.OnInsert();
    EXPECT_EQ(dialog.grid()->GetValueRowCol(4, 2), "4");
    EXPECT_EQ(dialog.grid()->GetValueRowCol(5, 2), "5");
}

TEST_F(CommentTypePreferencesTest, AFailedSaveKeepsTheDialogOpen)
{
    execute(0, "CREATE TRIGGER RefuseComment BEFORE INSERT ON TblCommentLibrary "
               "BEGIN SELECT RAISE(ABORT, 'comment library refused'); END");
    const QString before = library();
    CCommentTypePreferencesDialog dialog;
    dialog.grid()->SetValueRowCol(4, 1, "Record");
    m_prompts.expect(IDOK);
    dialog.OnOK();
    EXPECT_TRUE(m_prompts.lastText().contains("comment library refused"));
    EXPECT_EQ(dialog.result(), 0);
    EXPECT_EQ(library(), before);
    EXPECT_TRUE(m_frame.calls.isEmpty());
    EXPECT_FALSE(modified());
}
