// The labour grade dialog on three steps, the second of which names grade 1 in an operation field:
// refused deletions, deletions by a cleared name, ids and what OK writes.

#include "LibraryDialogFixture.h"
#include "LibraryGridSelection.h"
#include "foundation/controls/GridCellRules.h"
#include "preferences/lists/LaborPreferenceDialog.h"

namespace {
const char* const OPERATOR_IN_USE = "Labor Grade Operator is used in Step: React (1.0).\nTamro Plenthover cannot delete it!";
}

class LaborPreferenceTest : public LibraryDialogTest {
protected:
    QString grades()
    {
        return value(0, "SELECT group_concat(LaborGradeID || LaborGrade || ifnull(Cost, 'null') || ifnull(CostUOM, '')"
                        " || ifnull(MaxAvailableOperators, 'null'), ',') FROM TblLaborCategory")
            .toString();
    }
    QStringList gridNames(const CLaborPreferenceDialog& dialog)
    {
        QStringList names;
        for (int row = 1; row <= dialog.grid()->GetRowCount(); ++row)
            names << dialog.grid()->GetValueRowCol(row, 1);
        return names;
    }
};

TEST_F(LaborPreferenceTest, LoadsTheGradesWithEmptyCellsForNulls)
{
    CLaborPreferenceDialog dialog;
    EXPECT_EQ(dialog.windowTitle(), "Labor Preference");
    ASSERT_EQ(dialog.grid()->GetRowCount(), 3);
    EXPECT_EQ(dialog.grid()->GetValueRowCol(1, 2), "30");
    EXPECT_EQ(dialog.grid()->GetValueRowCol(2, 2), "");
    EXPECT_EQ(dialog.grid()->GetValueRowCol(2, 4), "");
    EXPECT_EQ(dialog.grid()->GetValueRowCol(3, 5), "3");
    EXPECT_EQ(dialog.grid()->GetUserAttributes(1, 2).value(UA_POSITIVE_ZERO), "PositiveZero");
    EXPECT_EQ(dialog.grid()->GetUserAttributes(1, 4).value(UA_POSITIVE_ZERO), "PositiveZero");
    EXPECT_TRUE(dialog.grid()->GetChoiceList(1, 3).contains("USD/h"));
    dialog.OnCommandHelp();
    EXPECT_EQ(m_help.shown, QStringList{"USERMANUAL.CHM 438"});
}

// Three rows selected, the second in use: the first goes, the second and third stay.
TEST_F(LaborPreferenceTest, DeletionStopsAtTheFirstGradeInUse)
{
    execute(0, "UPDATE TblLaborCategory SET LaborGradeID = 9 WHERE LaborGradeID = 1");
    execute(0, "UPDATE TblLaborCategory SET LaborGradeID = 1 WHERE LaborGradeID = 2");
    execute(0, "UPDATE TblLaborCategory SET LaborGradeID = 2 WHERE LaborGradeID = 9");
    execute(0, "INSERT INTO TblLaborCategory (LaborGradeID, LaborGrade) VALUES (4, 'Cleaner')");
    CLaborPreferenceDialog dialog; // Chemist 1, Operator 2 (in use now), Helper 3, Cleaner 4
    ASSERT_EQ(gridNames(dialog), QStringList({"Chemist", "Operator", "Helper", "Cleaner"}));
    execute(USING_STEP, "UPDATE TblFieldData SET LongValue = 2 WHERE FieldTypeID = 100009");
    SelectGridRows(dialog.grid(), {1, 2, 3});
    m_prompts.expect(IDOK);
    dialog.OnDelete();
    EXPECT_EQ(m_prompts.texts(), QStringList{OPERATOR_IN_USE});
    EXPECT_EQ(gridNames(dialog), QStringList({"Operator", "Helper", "Cleaner"}));
}

TEST_F(LaborPreferenceTest, AWholeTableSelectionWorksThroughTheFirstRow)
{
    CLaborPreferenceDialog dialog;
    dialog.grid()->selectAll();
    m_prompts.expect(IDOK);
    dialog.OnDelete();
    EXPECT_EQ(m_prompts.lastText(), OPERATOR_IN_USE);
    EXPECT_EQ(gridNames(dialog), QStringList({"Operator", "Chemist", "Helper"}));
}

// A cleared name deletes the grade: checked under the name it was loaded with.
TEST_F(LaborPreferenceTest, ACleredGradeInUseIsRefusedAtOk)
{
    const QString before = grades();
    CLaborPreferenceDialog dialog;
    dialog.grid()->SetValueRowCol(1, 1, " ");
    dialog.grid()->SetValueRowCol(3, 1, "");
    m_prompts.expect(IDOK);
    dialog.OnOK();
    EXPECT_EQ(m_prompts.lastText(), OPERATOR_IN_USE);
    EXPECT_EQ(dialog.result(), 0);
    EXPECT_EQ(grades(), before);
    dialog.grid()->SetValueRowCol(1, 1, "Operator");
    dialog.OnOK();
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    EXPECT_EQ(grades(), "1Operator30.0USD/h3,2Chemistnullnull");
    EXPECT_TRUE(modified());
}

// A step without its database, or an unreadable one, refuses the deletion.
TEST_F(LaborPreferenceTest, AStepThatCannotBeReadRefuses)
{
    CLaborPreferenceDialog dialog;
    m_app.stepDatabases().removeAt(0);
    m_prompts.expect(IDOK);
    EXPECT_FALSE(dialog.CanDeleteLaborGrade(3, "Helper"));
    EXPECT_EQ(m_prompts.lastText(), "A step database cannot be found.");
    execute(LAST_STEP, "DROP TABLE TblFieldData");
    m_prompts.expect(IDOK);
    execute(0, "DELETE FROM ProjectStep WHERE StepID = 3001");
    EXPECT_FALSE(dialog.CanDeleteLaborGrade(3, "Helper"));
    execute(0, "DROP TABLE ProjectStep");
    m_prompts.expect(IDOK);
    EXPECT_FALSE(dialog.CanDeleteLaborGrade(3, "Helper"));
    EXPECT_EQ(m_prompts.lastText(), "Can't open ProjectStep table!");
}

TEST_F(LaborPreferenceTest, NewIdsFollowTheLargestIdOrStartAtZero)
{
    for (const bool empty : {false, true}) {
        if (empty)
            execute(0, "DELETE FROM TblLaborCategory");
        CLaborPreferenceDialog dialog;
        dialog.OnInsert();
        dialog.OnInsert();
        const int rows = dialog.grid()->GetRowCount();
        EXPECT_EQ(dialog.grid()->GetValueRowCol(rows - 1, 5), empty ? "0" : "4");
        EXPECT_EQ(dialog.grid()->GetValueRowCol(rows, 5), empty ? "1" : "5");
        dialog.grid()->SetValueRowCol(rows, 1, "Shift Lead");
        dialog.grid()->SetValueRowCol(rows, 2, "42.5");
        dialog.OnOK();
        EXPECT_EQ(dialog.result(), QDialog::Accepted);
    }
    EXPECT_EQ(grades(), "1Shift Lead42.5null");
}

TEST_F(LaborPreferenceTest, AFailedSaveKeepsTheDialogOpen)
{
    execute(0, "CREATE TRIGGER RefuseGrade BEFORE INSERT ON TblLaborCategory "
               "BEGIN SELECT RAISE(ABORT, 'grades refused'); END");
    const QString before = grades();
    CLaborPreferenceDialog dialog;
    m_prompts.expect(IDOK);
    dialog.OnOK();
    EXPECT_TRUE(m_prompts.lastText().contains("grades refused"));
    EXPECT_EQ(dialog.result(), 0);
    EXPECT_EQ(grades(), before);
    EXPECT_FALSE(modified());
}
