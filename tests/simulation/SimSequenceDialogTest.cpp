// The sequence dialog over generated plans: the columns it builds, the moves and their refusals,
// the order check, the file it writes and reads back, and files it cannot use.

#include "ManyColumnSequence.h"
#include "SimSequenceFixture.h"
#include "foundation/common/SimSequenceRecipe.h"
#include "foundation/controls/ObjectGridWnd.h"
#include "simulation/DefSimSequenceDlg.h"

#include <QDir>
#include <QElapsedTimer>
#include <QPlainTextEdit>

namespace {
const QString LABEL_A1 = QStringLiteral("Step 2001 (1.0) Batch 1");
const QString LABEL_B1 = QStringLiteral("Step 2002 (1.0) Batch 1");

QStringList ColumnLabels(const CDefSimSequenceDlg& dialog)
{
    QStringList labels;
    for (int column = 1; column <= dialog.Grid()->columnCount(); ++column)
        labels << dialog.Grid()->GetValueRowCol(0, column);
    return labels;
}

void Select(CDefSimSequenceDlg& dialog, int first, int last, int left, int right)
{
    dialog.Grid()->clearSelection();
    dialog.Grid()->setRangeSelected(QTableWidgetSelectionRange(first - 1, left - 1, last - 1, right - 1), true);
}

// Column positions of the filled cells, row by row: "1 .", ". 2".
QStringList Cells(const CDefSimSequenceDlg& dialog)
{
    QStringList rows;
    for (int row = 1; row <= dialog.Layout().RowCount(); ++row) {
        QStringList cells;
        for (int column = 1; column <= dialog.Layout().ColumnCount(); ++column)
            cells << (dialog.Grid()->GetValueRowCol(row, column).isEmpty() ? "." : QString::number(column));
        rows << cells.join(' ');
    }
    return rows;
}
} // namespace

class SimSequenceDialogTest : public SimSequenceFixture {
protected:
    // The file of plan [A, B] laid out fresh: A's three operations, then B's beside A's last.
    QByteArray FreshFileOfAThenB() const
    {
        const QList<long> a = OperationIDs(SEQ_STEP_A);
        const long upA = UnitProcedureID(SEQ_STEP_A);
        const long upB = UnitProcedureID(SEQ_STEP_B);
        QStringList lines;
        for (int i = 0; i < 3; ++i)
            lines << QStringLiteral("1, 1, 2001, 2001, %1, %1, %2, %3, %4")
                         .arg(upA).arg(a.at(i)).arg(LABEL_A1, OperationText(SEQ_STEP_A, i));
        lines << QStringLiteral("2, 2, 2002, 2002, %1, %1, %2, %3, %4")
                     .arg(upB).arg(OperationIDs(SEQ_STEP_B).first()).arg(LABEL_B1, OperationText(SEQ_STEP_B, 0));
        return lines.join("\r\n").toUtf8();
    }
};

struct BuildCase {
    const char* name;
    QList<PlanRequirementSpec> requirements;
    QHash<long, double> sizes;
    int columns;
    QString message; // a part of edit 1664's text; empty: none at all
};

void PrintTo(const BuildCase& c, std::ostream* out)
{
    *out << c.name;
}

class SimSequenceBuildTest : public SimSequenceFixture, public ::testing::WithParamInterface<BuildCase> {};

TEST_P(SimSequenceBuildTest, ColumnsPerBatchWithTheEstimateMessages)
{
    const BuildCase& c = GetParam();
    engines.sizes = c.sizes;
    Open(c.requirements);
    CDefSimSequenceDlg dialog(SEQ_PLAN, "Plan/One");
    EXPECT_EQ(dialog.Layout().ColumnCount(), c.columns);
    const QString text = dialog.Messages()->toPlainText();
    if (c.message.isEmpty())
        EXPECT_TRUE(text.isEmpty()) << text.toStdString();
    else
        EXPECT_TRUE(text.contains(c.message)) << text.toStdString();
    EXPECT_FALSE(text.contains('\r'));
    EXPECT_EQ(dialog.Layout().RowCount(), std::max(1, int(dialog.Layout().Records().size()) - c.columns + 1));
    EXPECT_GE(dialog.ColumnWidth(), 100);
}

INSTANTIATE_TEST_SUITE_P(
    Plans, SimSequenceBuildTest,
    ::testing::Values(
        BuildCase{"45 batches of a step", {StepRequirement(SEQ_STEP_A, 45)}, {}, 30,
                  "The number of batches for step Step 2001 was limited to 30 batches for defining the simulation "
                  "sequence."},
        BuildCase{"45 batches of a process", {ProcessRequirement(SEQ_PROCESS, 45)}, {}, 60,
                  "The number of batches for process Route was limited to 30 batches"},
        BuildCase{"2.3 batches round up", {ProcessRequirement(SEQ_PROCESS, 2.3)}, {}, 6, ""},
        BuildCase{"kg by the step's batch size", {StepRequirement(SEQ_STEP_A, 250, "kg")}, {{SEQ_STEP_A, 100}}, 3,
                  "The number of batches for step Step 2001 was not specified in production plan dialog.\nThe number "
                  "of batches has been estimated to be 3 based on the last calculated batch size of 100.00 kg"},
        BuildCase{"kg by the final step's size", {ProcessRequirement(SEQ_PROCESS, 500, "kg")}, {{SEQ_STEP_B, 200}}, 6,
                  "estimated to be 3 based on the last calculated batch size of 200.00 kg"},
        BuildCase{"unknown size", {StepRequirement(SEQ_STEP_A, 250, "kg")}, {}, 0,
                  "Warning: The number of batches for step Step 2001 was not specified in production plan dialog and "
                  "the batch size could not be estimated.\nRun the step Step 2001 simulation to view the step in the "
                  "sequence dialog."},
        BuildCase{"size 0", {ProcessRequirement(SEQ_PROCESS, 250, "kg")}, {{SEQ_STEP_B, 0}}, 0,
                  "Warning: The number of batches for process Route was not specified"},
        BuildCase{"a step without a visible operation", {StepRequirement(SEQ_STEP_HIDDEN, 2)}, {}, 0, ""},
        BuildCase{"two requirements of one step", {StepRequirement(SEQ_STEP_A, 1), StepRequirement(SEQ_STEP_A, 1)}, {},
                  2, ""}));

TEST_F(SimSequenceDialogTest, OkWritesTheLayoutToTheWorkingCopyFolderAndReadsItBackByteForByte)
{
    Open({StepRequirement(SEQ_STEP_A, 1), StepRequirement(SEQ_STEP_B, 1)});
    app.setProjectModified(false);
    {
        CDefSimSequenceDlg dialog(SEQ_PLAN, "Plan/One");
        EXPECT_EQ(ColumnLabels(dialog), QStringList({LABEL_A1, LABEL_B1}));
        EXPECT_EQ(Cells(dialog), QStringList({"1 .", "1 .", "1 2"}));
        EXPECT_EQ(dialog.Grid()->GetInterior(0, 1), QColor(255, 255, 128));
        ASSERT_TRUE(dialog.Grid()->item(0, 0));
        EXPECT_FALSE(dialog.Grid()->item(0, 0)->flags() & Qt::ItemIsEditable);
        EXPECT_EQ(dialog.Grid()->editTriggers(), QAbstractItemView::NoEditTriggers);
        dialog.accept();
        EXPECT_EQ(dialog.result(), QDialog::Accepted);
    }
    EXPECT_EQ(ReadSequenceFile(), FreshFileOfAThenB());
    // Beside the working copies, name sanitised; the project folder changes only when it is saved,
    // and the project now has something to save.
    EXPECT_TRUE(QDir(app.fileSet().workingCopyDir).exists("Plan_One_User_Sim_Def_1.txt"));
    EXPECT_FALSE(QFile::exists(folder + "Plan_One_User_Sim_Def_1.txt"));
    EXPECT_TRUE(app.isProjectModified());
    // Read back (a closed and reopened dialog), laid out the same and written again unchanged.
    CDefSimSequenceDlg reopened(SEQ_PLAN, "Plan/One");
    EXPECT_EQ(ColumnLabels(reopened), QStringList({LABEL_A1, LABEL_B1}));
    EXPECT_EQ(Cells(reopened), QStringList({"1 .", "1 .", "1 2"}));
    EXPECT_TRUE(reopened.Messages()->toPlainText().isEmpty());
    reopened.accept();
    EXPECT_EQ(ReadSequenceFile(), FreshFileOfAThenB());
}

TEST_F(SimSequenceDialogTest, AMovedCellIsWrittenBesideItsNewRowAndKeptAfterLoadAndOk)
{
    Open({StepRequirement(SEQ_STEP_A, 1), StepRequirement(SEQ_STEP_A, 1)}); // rows 1-3 and 3-5
    CDefSimSequenceDlg dialog(SEQ_PLAN, "Plan/One");
    Select(dialog, 3, 5, 2, 2);
    ASSERT_TRUE(dialog.OnMove(SimSequenceMove::MoveUp));
    EXPECT_EQ(Cells(dialog), QStringList({"1 .", "1 2", "1 2", ". 2", ". ."}));
    const QList<QTableWidgetSelectionRange> selected = dialog.Grid()->selectedRanges();
    ASSERT_EQ(selected.size(), 1);
    EXPECT_EQ(selected.first().topRow(), 1); // rows 2-4
    EXPECT_EQ(selected.first().bottomRow(), 3);
    dialog.accept();
    const QByteArray written = ReadSequenceFile();
    QStringList firstFields;
    for (const QByteArray& line : written.split('\n'))
        firstFields << QString::fromUtf8(line.left(4));
    EXPECT_EQ(firstFields, QStringList({"1, 1", "1, 1", "2, 1", "1, 1", "2, 2", "2, 2"}));
    CDefSimSequenceDlg reopened(SEQ_PLAN, "Plan/One");
    EXPECT_EQ(Cells(reopened), QStringList({"1 .", "1 2", "1 2", ". 2", ". ."}));
    reopened.accept();
    EXPECT_EQ(ReadSequenceFile(), written);
}

struct RefusedMove {
    const char* name;
    SimSequenceMove move;
    int first, last, left, right;
};

TEST_F(SimSequenceDialogTest, EachRefusedMoveBeepsAndChangesNothing)
{
    Open({StepRequirement(SEQ_STEP_A, 1), StepRequirement(SEQ_STEP_B, 1)}); // "1 .", "1 .", "1 2"
    CDefSimSequenceDlg dialog(SEQ_PLAN, "Plan/One");
    const RefusedMove refused[] = {
        {"move up from row 1", SimSequenceMove::MoveUp, 1, 1, 1, 1},
        {"move up into a filled cell", SimSequenceMove::MoveUp, 2, 2, 1, 1},
        {"move down from the last row", SimSequenceMove::MoveDown, 3, 3, 1, 2},
        {"move down into a filled cell", SimSequenceMove::MoveDown, 1, 1, 1, 1},
        {"push up with row 1 filled", SimSequenceMove::PushUp, 2, 3, 1, 2},
        {"push down with the last row filled", SimSequenceMove::PushDown, 1, 1, 1, 1},
        {"push down across a filled last row", SimSequenceMove::PushDown, 1, 1, 2, 2},
    };
    int expectedBeeps = 0;
    for (const RefusedMove& r : refused) {
        SCOPED_TRACE(r.name);
        Select(dialog, r.first, r.last, r.left, r.right);
        EXPECT_FALSE(dialog.OnMove(r.move));
        EXPECT_EQ(beeps, ++expectedBeeps);
        EXPECT_EQ(Cells(dialog), QStringList({"1 .", "1 .", "1 2"}));
    }
    Select(dialog, 3, 3, 2, 2);
    EXPECT_TRUE(dialog.OnMove(SimSequenceMove::PushUp)); // column 2 alone: row 1 is empty there
    EXPECT_EQ(Cells(dialog), QStringList({"1 .", "1 2", "1 ."}));
    EXPECT_EQ(beeps, expectedBeeps);
}

TEST_F(SimSequenceDialogTest, OkRefusesAColumnThatEndsAboveItsLeftNeighbour)
{
    Open({StepRequirement(SEQ_STEP_A, 1), StepRequirement(SEQ_STEP_B, 1)});
    CDefSimSequenceDlg dialog(SEQ_PLAN, "Plan/One");
    Select(dialog, 3, 3, 2, 2);
    ASSERT_TRUE(dialog.OnMove(SimSequenceMove::MoveUp));
    prompts.expect(IDOK);
    dialog.accept();
    EXPECT_EQ(prompts.lastText(), "Please organize the new ending point because\n\"" + LABEL_B1 +
                                      "\" cannot end before \"" + LABEL_A1 + "\"");
    EXPECT_NE(dialog.result(), QDialog::Accepted);
    EXPECT_FALSE(QFile::exists(SequencePath()));
}

TEST_F(SimSequenceDialogTest, OkRefusesAColumnThatStartsAboveItsLeftNeighbour)
{
    Open({StepRequirement(SEQ_STEP_B, 1), StepRequirement(SEQ_STEP_A, 1)}); // "1 2", ". 2", ". 2"
    CDefSimSequenceDlg dialog(SEQ_PLAN, "Plan/One");
    Select(dialog, 1, 1, 1, 1);
    ASSERT_TRUE(dialog.OnMove(SimSequenceMove::PushDown));
    EXPECT_EQ(Cells(dialog), QStringList({". 2", "1 2", ". 2"}));
    prompts.expect(IDOK);
    dialog.accept();
    EXPECT_EQ(prompts.lastText(), "Please organize the new starting point because\n\"" + LABEL_A1 +
                                      "\" cannot start before \"" + LABEL_B1 + "\"");
    EXPECT_FALSE(QFile::exists(SequencePath()));
}

TEST_F(SimSequenceDialogTest, ResetAsksAndNoKeepsTheLayout)
{
    Open({StepRequirement(SEQ_STEP_A, 1), StepRequirement(SEQ_STEP_B, 1)});
    CDefSimSequenceDlg dialog(SEQ_PLAN, "Plan/One");
    Select(dialog, 3, 3, 2, 2);
    ASSERT_TRUE(dialog.OnMove(SimSequenceMove::MoveUp));
    prompts.expect(IDNO);
    dialog.OnReset();
    EXPECT_EQ(prompts.lastText(), "Do you want to reset simulation order to the sequence specified in text recipe?\n"
                                  "The custom simulation order will be lost if you click Yes.");
    EXPECT_EQ(Cells(dialog), QStringList({"1 .", "1 2", "1 ."}));
    prompts.expect(IDYES);
    dialog.OnReset();
    EXPECT_EQ(Cells(dialog), QStringList({"1 .", "1 .", "1 2"}));
}

TEST_F(SimSequenceDialogTest, AFileItCannotUseIsReportedAndThePlanLaidOutAfresh)
{
    Open({StepRequirement(SEQ_STEP_A, 1), StepRequirement(SEQ_STEP_B, 1)});
    const QByteArray fresh = FreshFileOfAThenB();
    QByteArray stale = fresh;
    stale.replace(QByteArray::number(OperationIDs(SEQ_STEP_B).first()) + ", Step", "999999, Step");
    const QByteArray unusable[] = {
        "1, 1, 2001, 2001, x, 3, 4, L, T",             // not seven numbers
        fresh.left(fresh.lastIndexOf("\r\n")).replace("1, 1, 2001", "2, 1, 2001"), // keys not 1, 2, ...
        stale,                                          // another operation than the recipe's
        fresh.left(fresh.indexOf("\r\n")),              // a column lacking operations
    };
    for (const QByteArray& content : unusable) {
        SCOPED_TRACE(content.toStdString());
        WriteSequenceFile(content);
        prompts.expect(IDOK);
        CDefSimSequenceDlg dialog(SEQ_PLAN, "Plan/One");
        EXPECT_EQ(prompts.lastText(), "File " + SequencePath() + " could not be opened!");
        EXPECT_EQ(Cells(dialog), QStringList({"1 .", "1 .", "1 2"}));
    }
}

// 3 MB of columns, far more than the plan's two requirements can have, are refused as a file it
// cannot use before anything is laid out.
TEST_F(SimSequenceDialogTest, AFileOfMoreColumnsThanThePlanCanHaveIsRefusedAtOnce)
{
    Open({StepRequirement(SEQ_STEP_A, 1), StepRequirement(SEQ_STEP_B, 1)});
    WriteSequenceFile(
        ManyColumnSequence(SEQ_STEP_B, ReadSimSequenceStepRecipe(SEQ_STEP_B).operations, 3 << 20));
    prompts.expect(IDOK);
    QElapsedTimer clock;
    clock.start();
    CDefSimSequenceDlg dialog(SEQ_PLAN, "Plan/One");
    EXPECT_LT(clock.elapsed(), 5000);
    EXPECT_EQ(prompts.lastText(), "File " + SequencePath() + " could not be opened!");
    EXPECT_EQ(Cells(dialog), QStringList({"1 .", "1 .", "1 2"}));
}

TEST_F(SimSequenceDialogTest, AnEmptyFileGivesAnEmptyGridOfOneRow)
{
    Open({StepRequirement(SEQ_STEP_A, 250, "kg")}); // would give a warning when read
    WriteSequenceFile("");
    CDefSimSequenceDlg dialog(SEQ_PLAN, "Plan/One");
    EXPECT_EQ(dialog.Layout().ColumnCount(), 0);
    EXPECT_EQ(dialog.Layout().RowCount(), 1);
    EXPECT_EQ(dialog.ColumnWidth(), 100);
    EXPECT_TRUE(dialog.Messages()->toPlainText().isEmpty());
    dialog.accept();
    EXPECT_EQ(ReadSequenceFile(), QByteArray());
}

TEST_F(SimSequenceDialogTest, AFileThatCannotBeWrittenKeepsTheDialogOpen)
{
    Open({StepRequirement(SEQ_STEP_B, 1)});
    CDefSimSequenceDlg dialog(SEQ_PLAN, "Plan/One");
    ASSERT_TRUE(QDir().mkpath(SequencePath())); // a folder where the file should go
    prompts.expect(IDOK);
    dialog.accept();
    EXPECT_EQ(prompts.lastText(), "File " + SequencePath() + " could not be opened!");
    EXPECT_NE(dialog.result(), QDialog::Accepted);
}
