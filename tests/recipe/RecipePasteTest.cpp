#include "RecipeEditFixture.h"

#include "foundation/common/CommandIds.h"
#include "foundation/common/MessageBox.h"
#include "foundation/common/concerns/ProcessOperationService.h"
#include "foundation/db/connection/DaoDatabase.h"
#include "recipe/transitions/TransitionBuilder.h"
#include "recipe/view/RecipeClipboard.h"

#include <QRegularExpression>
#include <QSqlQuery>
#include <QSqlRecord>

namespace {
constexpr long CRYSTALLIZATION_STEP = 1002;

QStringList LabelsOf(const CQUORVANTAView& view)
{
    QStringList labels;
    for (int index = 0; index < view.LineCount(); ++index) {
        const RecipeLineRecord& line = view.Line(index)->line();
        labels << (IsKeywordLine(line.kind) ? line.typeText : line.label);
    }
    return labels;
}

// Every row of the step that a paste may write, for comparing a step before and after.
QString StepDump(long stepID)
{
    QStringList dump;
    CDaoDatabase* step = GetStepDatabase(stepID);
    for (const char* sql : {"SELECT * FROM TextRecipe ORDER BY RowKey", "SELECT * FROM Operation ORDER BY OperationID",
                            "SELECT * FROM UnitProcedure ORDER BY UnitProcedureID",
                            "SELECT * FROM TblGroupData ORDER BY GroupID", "SELECT * FROM TblFieldData ORDER BY FieldID",
                            "SELECT * FROM TblRangeData ORDER BY RangeID"}) {
        QSqlQuery query = step->Query(QString::fromLatin1(sql));
        while (query.next()) {
            QStringList row;
            for (int c = 0; c < query.record().count(); ++c)
                row << query.value(c).toString();
            dump << row.join('|');
        }
    }
    return dump.join('\n');
}
} // namespace

class RecipePasteTest : public RecipeEditFixture {
protected:
    RecipePasteTest() { installed.Install<RecipeClipboard>(&clipboard); }
    // Copies the lines starting with these texts in the view.
    void CopyLines(CQUORVANTAView& view, const QStringList& starts)
    {
        for (int n = 0; n < starts.size(); ++n)
            view.OnLineClicked(view.Line(IndexOf(view, starts[n])), n > 0);
        ASSERT_TRUE(view.OnEditCopy());
    }
public:
    void PasteReactionNextToTransfer(bool after)
    {
        CQUORVANTAView& view = OpenCoupling();
        CopyLines(view, {"Reaction"});
        SetInsertAfter(after);
        view.OnLineClicked(view.Line(IndexOf(view, "Cool R-102")), false);
        ASSERT_TRUE(view.OnEditPaste());
        const QStringList block{"1.", "1.1.", "1.2.", "1.3.", "Start Parallel", "Series", "1.4.", "Series", "1.5.",
                                "End Parallel", "1.6.", "1.7."};
        QStringList copy = block;
        for (QString& label : copy)
            label.replace(QRegularExpression("^1\\."), after ? "3." : "2.");
        QStringList expected = block;
        if (after)
            expected << "2." << "2.1." << "2.2." << "2.3." << copy;
        else
            expected << copy << "3." << "3.1." << "3.2." << "3.3.";
        EXPECT_EQ(LabelsOf(view).join(' '), expected.join(' '));
        ExpectMatchesFreshLoad(view);
    }
    void TestBody() override {}

protected:
    RecipeClipboard clipboard;
};

TEST_F(RecipePasteTest, InsertBeforeKeepsTheOrderOfThreeItemsAndRenumbersOnce)
{
    CQUORVANTAView& view = OpenCoupling();
    CopyLines(view, {"Purge", "Charge 800", "Charge 186"});
    SetInsertAfter(false);
    view.OnLineClicked(view.Line(IndexOf(view, "Cool R-102")), false);
    ASSERT_TRUE(view.OnEditPaste());
    const int first = IndexOf(view, "Work-up") + 1;
    EXPECT_TRUE(view.Line(first)->text().startsWith("Purge"));
    EXPECT_TRUE(view.Line(first + 1)->text().startsWith("Charge 800"));
    EXPECT_TRUE(view.Line(first + 2)->text().startsWith("Charge 186"));
    EXPECT_TRUE(view.Line(first + 3)->text().startsWith("Cool"));
    EXPECT_EQ(LabelsOf(view).mid(first - 1), (QStringList{"2.", "2.1.", "2.2.", "2.3.", "2.4.", "2.5.", "2.6."}));
    ExpectMatchesFreshLoad(view);
    EXPECT_EQ(automation.calls.count("build"), 1);
    EXPECT_EQ(services.calls.last(), "stream update 1001");
}

// Pastes the copied Reaction unit procedure next to Transfer in either mode.
static void ExpectBlockKept(RecipePasteTest& test, bool after);

TEST_F(RecipePasteTest, AUnitProcedureKeepsItsParallelBlockAfter)
{
    ExpectBlockKept(*this, true);
}

TEST_F(RecipePasteTest, AUnitProcedureKeepsItsParallelBlockBefore)
{
    ExpectBlockKept(*this, false);
}

TEST_F(RecipePasteTest, PlacesAndRefusals)
{
    CQUORVANTAView& view = OpenCoupling();
    CopyLines(view, {"Age"});
    view.OnLineClicked(view.Line(view.LineCount() - 1), false);
    ASSERT_TRUE(view.OnEditPaste());
    EXPECT_EQ(LabelsOf(view).last(), "2.4.") << "after the last line appends";
    EXPECT_TRUE(view.Line(view.LineCount() - 1)->IsSelected());

    SetInsertAfter(false);
    view.OnLineClicked(view.Line(0), false);
    EXPECT_FALSE(view.IsCommandEnabled(ID_EDIT_PASTE)) << "no unit procedure above the insertion point";
    prompts.expect(IDOK);
    const QString before = StepDump(COUPLING_STEP);
    EXPECT_FALSE(view.OnEditPaste());
    EXPECT_EQ(prompts.lastText(), "Can't paste an Operation before the first Unit Procedure!");
    EXPECT_EQ(StepDump(COUPLING_STEP), before);
}

TEST_F(RecipePasteTest, EnablingFollowsTheClipboardAndTheSelection)
{
    CQUORVANTAView& view = OpenCoupling("Purge");
    EXPECT_FALSE(view.IsCommandEnabled(ID_EDIT_PASTE)) << "nothing copied";
    CopyLines(view, {"Start Parallel"});
    EXPECT_FALSE(clipboard.bUnitProcedures);
    EXPECT_TRUE(view.IsCommandEnabled(ID_EDIT_PASTE));
    SetInsertAfter(false);
    view.OnLineClicked(view.Line(0), false);
    EXPECT_FALSE(view.IsCommandEnabled(ID_EDIT_PASTE));
    CopyLines(view, {"Reaction"});
    EXPECT_TRUE(view.IsCommandEnabled(ID_EDIT_PASTE));
    clipboard.bRecipeClipboardFilled = false; // what another project's open does
    EXPECT_FALSE(view.IsCommandEnabled(ID_EDIT_PASTE));
}

TEST_F(RecipePasteTest, FromAnotherStepParametersArriveUnderNewIdsAndTheRowKeepsItsTexts)
{
    CQUORVANTAView& source = OpenCoupling();
    EditStep(COUPLING_STEP, "UPDATE Operation SET UserComments = 'keep dry', SafetyNote = 'gloves'"
                            " WHERE RecipeText LIKE 'Heat R-101%'");
    CopyLines(source, {"Heat R-101"});
    const long sourceOp = source.Line(IndexOf(source, "Heat R-101"))->GetButtonID();
    CQUORVANTAView& target = OpenView(CRYSTALLIZATION_STEP);
    target.OnLineClicked(target.Line(1), false);
    ASSERT_TRUE(target.OnEditPaste());
    const long newOp = target.Line(2)->GetButtonID();
    EXPECT_NE(newOp, sourceOp);
    const auto count = [&](long step, const QString& sql) { return StepLong(step, sql); };
    EXPECT_EQ(count(CRYSTALLIZATION_STEP, QString("SELECT COUNT(*) FROM TblFieldData f JOIN TblGroupData g USING (GroupID)"
                                                  " WHERE g.OperationID = %1").arg(newOp)),
              count(COUPLING_STEP, QString("SELECT COUNT(*) FROM TblFieldData f JOIN TblGroupData g USING (GroupID)"
                                           " WHERE g.OperationID = %1").arg(sourceOp)));
    EXPECT_EQ(count(CRYSTALLIZATION_STEP, QString("SELECT COUNT(*) FROM TblRangeData r JOIN TblGroupData g USING (GroupID)"
                                                  " WHERE g.OperationID = %1").arg(newOp)),
              2);
    EXPECT_EQ(count(CRYSTALLIZATION_STEP, QString("SELECT COUNT(*) FROM Operation WHERE OperationID = %1 AND"
                                                  " UserComments = 'keep dry' AND SafetyNote = 'gloves' AND"
                                                  " RecipeText LIKE 'Heat R-101%%' AND QuorvantaLabel <> ''")
                                              .arg(newOp)),
              1);
    EXPECT_EQ(count(CRYSTALLIZATION_STEP, "SELECT COUNT(*) FROM TblGroupData WHERE OpGroupID IS NOT NULL"), 0);
    CloseView(CRYSTALLIZATION_STEP);
    CQUORVANTAView& reopened = OpenView(CRYSTALLIZATION_STEP);
    EXPECT_TRUE(reopened.Line(2)->text().startsWith("Heat R-101"));
    EXPECT_TRUE(reopened.Line(2)->line().commentText == "keep dry");
}

// Each operation of a pasted unit procedure gets the data of its own source operation: values of
// its groups, fields and ranges in order, recipe text and notes.
TEST_F(RecipePasteTest, EachOperationOfAPastedUnitProcedureGetsItsOwnSourceData)
{
    const auto data = [](long stepID, long operationID) {
        QStringList rows;
        for (const char* sql :
             {"SELECT RecipeText, UserComments, RangeText, SafetyNote FROM Operation WHERE OperationID = %1",
              "SELECT GroupTypeID, GroupIndex, SequenceNumber FROM TblGroupData"
              " WHERE OperationID = %1 ORDER BY GroupID",
              "SELECT g.GroupTypeID, g.GroupIndex, f.SubGroupIndex, f.FieldTypeID, f.DoubleValue, "
              "f.LongValue,"
              " f.UOM, f.StringValue FROM TblFieldData f JOIN TblGroupData g USING (GroupID)"
              " WHERE g.OperationID = %1 ORDER BY f.FieldID",
              "SELECT g.GroupTypeID, g.GroupIndex, r.SubGroupIndex, r.FieldTypeID, r.RangeTypeID, "
              "r.RangeCategory,"
              " r.Low, r.LowWidth, r.LowUOM, r.High, r.HighWidth, r.HighUOM FROM TblRangeData r"
              " JOIN TblGroupData g USING (GroupID) WHERE g.OperationID = %1 ORDER BY r.RangeID"}) {
            QSqlQuery query = GetStepDatabase(stepID)->Query(QString::fromLatin1(sql).arg(operationID));
            while (query.next()) {
                QStringList row;
                for (int c = 0; c < query.record().count(); ++c)
                    row << query.value(c).toString();
                rows << row.join('|');
            }
        }
        return rows;
    };
    const auto operations = [](const CQUORVANTAView& view, int from) {
        QList<long> ids;
        for (int j = from; j < view.LineCount() && view.Line(j)->GetItemType() != RECIPE_LINE_UNIT_PROCEDURE; ++j) {
            if (view.Line(j)->GetItemType() == RECIPE_LINE_OPERATION)
                ids << view.Line(j)->GetButtonID();
        }
        return ids;
    };
    CQUORVANTAView& source = OpenCoupling();
    EditStep(COUPLING_STEP, "UPDATE Operation SET UserComments = 'note ' || OperationID, SafetyNote = OperationID");
    CopyLines(source, {"Reaction"});
    const QList<long> sourceOps = operations(source, IndexOf(source, "Reaction") + 1);
    CQUORVANTAView& target = OpenView(CRYSTALLIZATION_STEP);
    SetInsertAfter(false);
    target.OnLineClicked(target.Line(0), false);
    ASSERT_TRUE(target.OnEditPaste());
    const QList<long> pastedOps = operations(target, 1);
    ASSERT_EQ(pastedOps.size(), sourceOps.size());
    ASSERT_GE(sourceOps.size(), 5);
    for (int n = 0; n < sourceOps.size(); ++n) {
        SCOPED_TRACE(n);
        const QStringList expected = data(COUPLING_STEP, sourceOps[n]);
        EXPECT_GT(expected.size(), 1) << "the operation has parameter rows";
        EXPECT_EQ(data(CRYSTALLIZATION_STEP, pastedOps[n]), expected);
    }
}

TEST_F(RecipePasteTest, AnotherFacilityAsksAndPastesTheStructureOnly)
{
    CQUORVANTAView& source = OpenCoupling();
    EditStep(CRYSTALLIZATION_STEP, "UPDATE Step SET PlantID = PlantID + 1");
    CopyLines(source, {"Work-up"});
    CQUORVANTAView& target = OpenView(CRYSTALLIZATION_STEP);
    target.OnLineClicked(target.Line(0), false);
    const QString before = StepDump(CRYSTALLIZATION_STEP);
    prompts.expect(IDNO);
    target.SetDragCutPending(true);
    EXPECT_FALSE(target.OnEditPaste());
    EXPECT_FALSE(target.IsDragCutPending());
    EXPECT_EQ(StepDump(CRYSTALLIZATION_STEP), before) << "No changes nothing";
    prompts.expect(IDYES);
    ASSERT_TRUE(target.OnEditPaste());
    EXPECT_EQ(prompts.lastText(), "This will only paste the structure since a different Facility is used in the two"
                                  " Steps. Do you want to proceed ?");
    const int header = IndexOf(target, "Work-up");
    EXPECT_EQ(StepLong(CRYSTALLIZATION_STEP,
                       QString("SELECT COUNT(*) FROM UnitProcedure WHERE UnitProcedureID = %1 AND"
                               " PrimaryEquipmentID = -1")
                           .arg(target.Line(header)->GetButtonID())),
              1);
    const RecipeLineRecord& transfer = target.Line(header + 1)->line();
    EXPECT_EQ(transfer.displayText, transfer.operationLabel + " ...");
    EXPECT_EQ(StepLong(CRYSTALLIZATION_STEP, QString("SELECT COUNT(*) FROM Operation WHERE OperationID = %1 AND"
                                                     " RecipeText = ''").arg(transfer.itemID)),
              1);
    ExpectMatchesFreshLoad(target);
}

TEST_F(RecipePasteTest, UniqueNamesGetANumberOnACopyAndStayOnAMove)
{
    CQUORVANTAView& view = OpenCoupling();
    EditStep(COUPLING_STEP, "INSERT INTO TblFieldData (GroupID, FieldTypeID, StringValue) SELECT MIN(g.GroupID),"
                            " 100033, 'Batch A' FROM TblGroupData g JOIN Operation o USING (OperationID)"
                            " WHERE o.RecipeText LIKE 'Purge%'");
    CopyLines(view, {"Purge"});
    ASSERT_TRUE(view.OnEditPaste());
    CopyLines(view, {"Purge"});
    ASSERT_TRUE(view.OnEditPaste());
    EXPECT_EQ(StepLong(COUPLING_STEP, "SELECT COUNT(*) FROM TblFieldData WHERE StringValue IN"
                                      " ('Batch A', 'Batch A (1)', 'Batch A (2)')"),
              3);
    view.OnLineClicked(view.Line(IndexOf(view, "Purge")), false);
    prompts.expect(IDYES);
    view.OnEditCut();
    view.OnLineClicked(view.Line(view.LineCount() - 1), false);
    ASSERT_TRUE(view.OnEditPaste());
    EXPECT_EQ(StepLong(COUPLING_STEP, "SELECT COUNT(*) FROM TblFieldData WHERE StringValue = 'Batch A'"), 2)
        << "the moved operation keeps its name";
    EXPECT_EQ(StepLong(COUPLING_STEP, "SELECT COUNT(*) FROM TblFieldData WHERE StringValue = 'Batch A (3)'"), 0);
}

// Operations pasted together count each other's names: two copies of one name in a pasted unit
// procedure take the first two free numbers, in the order of the lines.
TEST_F(RecipePasteTest, OperationsPastedTogetherTakeDistinctNumbers)
{
    CQUORVANTAView& view = OpenCoupling();
    const int header = IndexOf(view, "Reaction");
    const QString insert = "INSERT INTO TblFieldData (GroupID, FieldTypeID, StringValue) SELECT MIN(GroupID),"
                           " 100033, 'Batch A' FROM TblGroupData WHERE OperationID = %1";
    for (int line : {header + 1, header + 2})
        EditStep(COUPLING_STEP, insert.arg(view.Line(line)->GetButtonID()));
    CopyLines(view, {"Reaction"});
    view.OnLineClicked(view.Line(view.LineCount() - 1), false);
    ASSERT_TRUE(view.OnEditPaste());
    QStringList names; // of the operations in line order: the sources', then the copies'
    for (int line = 0; line < view.LineCount(); ++line) {
        if (view.Line(line)->GetItemType() != RECIPE_LINE_OPERATION)
            continue;
        QSqlQuery name = GetStepDatabase(COUPLING_STEP)->Query(
            QString("SELECT f.StringValue FROM TblFieldData f JOIN TblGroupData g USING (GroupID)"
                    " WHERE g.OperationID = %1 AND f.FieldTypeID = 100033").arg(view.Line(line)->GetButtonID()));
        while (name.next())
            names << name.value(0).toString();
    }
    EXPECT_EQ(names.join(" | "), "Batch A | Batch A | Batch A (1) | Batch A (2)");
    ExpectMatchesFreshLoad(view);
}

// The names taken are compared as the database compares them: ASCII letters without case, other
// letters as they are; wildcard characters in a name are plain characters.
TEST_F(RecipePasteTest, UniqueNamesAreComparedWithoutCaseOfASCIILetters)
{
    struct NameCase {
        QStringList held; // by another operation of the recipe
        QString copied; // the copied operation holds it too
        QString expected;
    };
    const QList<NameCase> cases{{{"BATCH A", "batch a (1)"}, "Batch A", "Batch A (2)"},
                                {{"Lot_7%", "LOT_7% (2)", "LotX7Y (1)"}, "lot_7%", "lot_7% (1)"},
                                {{"\u00c4rger (1)"}, "\u00e4rger", "\u00e4rger (1)"}};
    CQUORVANTAView& view = OpenCoupling();
    const long purge = view.Line(IndexOf(view, "Purge"))->GetButtonID();
    const long charge = view.Line(IndexOf(view, "Charge 800"))->GetButtonID();
    for (const NameCase& test : cases) {
        SCOPED_TRACE(test.copied.toStdString());
        EditStep(COUPLING_STEP, "DELETE FROM TblFieldData WHERE FieldTypeID = 100033");
        const QString insert = "INSERT INTO TblFieldData (GroupID, FieldTypeID, StringValue) SELECT MIN(GroupID),"
                               " 100033, '%1' FROM TblGroupData WHERE OperationID = %2";
        for (const QString& name : test.held)
            EditStep(COUPLING_STEP, insert.arg(name).arg(charge));
        EditStep(COUPLING_STEP, insert.arg(test.copied).arg(purge));
        CopyLines(view, {"Purge"});
        view.OnLineClicked(view.Line(view.LineCount() - 1), false);
        ASSERT_TRUE(view.OnEditPaste());
        const long pasted = view.Line(view.LineCount() - 1)->GetButtonID();
        QSqlQuery name = GetStepDatabase(COUPLING_STEP)->Query(
            QString("SELECT f.StringValue FROM TblFieldData f JOIN TblGroupData g USING (GroupID)"
                    " WHERE g.OperationID = %1 AND f.FieldTypeID = 100033").arg(pasted));
        ASSERT_TRUE(name.next());
        EXPECT_EQ(name.value(0).toString(), test.expected);
    }
}

// A write refused at the k-th row of its kind: an operation, a new recipe row (they go in together,
// after the rows below moved) or a moved row.
TEST_F(RecipePasteTest, AFailureAtAnyLineLeavesTheStepAsItWas)
{
    struct FailedWrite {
        const char* event;
        int k;
    };
    const QList<FailedWrite> failures{{"INSERT ON Operation", 1},  {"INSERT ON Operation", 2},
                                      {"INSERT ON Operation", 3},  {"INSERT ON TextRecipe", 1},
                                      {"INSERT ON TextRecipe", 7}, {"UPDATE ON TextRecipe", 1}};
    CQUORVANTAView& view = OpenCoupling();
    CopyLines(view, {"Reaction"});
    for (const FailedWrite& failure : failures) {
        SCOPED_TRACE(QString("%1 #%2").arg(failure.event).arg(failure.k).toStdString());
        const QString before = StepDump(COUPLING_STEP);
        CDaoDatabase* step = GetStepDatabase(COUPLING_STEP);
        step->Execute("CREATE TEMP TABLE IF NOT EXISTS PasteRows (n INTEGER)");
        step->Execute("DELETE FROM PasteRows");
        step->Execute("INSERT INTO PasteRows VALUES (0)");
        step->Execute("DROP TRIGGER IF EXISTS temp.FailPaste");
        step->Execute(
            QString("CREATE TEMP TRIGGER FailPaste BEFORE %1 BEGIN"
                    " UPDATE PasteRows SET n = n + 1;"
                    " SELECT RAISE(ABORT, 'row write refused') WHERE (SELECT n FROM PasteRows) >= %2; END")
                .arg(failure.event)
                .arg(failure.k));
        prompts.expect(IDOK);
        EXPECT_FALSE(view.OnEditPaste());
        step->Execute("DROP TRIGGER temp.FailPaste");
        EXPECT_EQ(prompts.texts().size(), 1);
        EXPECT_EQ(StepDump(COUPLING_STEP), before);
        EXPECT_FALSE(view.IsPasting());
        ExpectMatchesFreshLoad(view);
        prompts.clear();
    }
}

// Each new row goes in once, with its final numbers, under the key its line took: above every key
// in use, in the order the lines were placed. The rows below move; none of the new ones is updated.
TEST_F(RecipePasteTest, NewRowsGoInOnceUnderTheKeysTheirLinesHold)
{
    CQUORVANTAView& view = OpenCoupling();
    CopyLines(view, {"Reaction"});
    const long firstKey = Count("SELECT MAX(RowKey) FROM TextRecipe") + 1;
    CDaoDatabase* step = GetStepDatabase(COUPLING_STEP);
    step->Execute("CREATE TEMP TABLE IF NOT EXISTS RowWrites (kind TEXT, rowKey INTEGER)");
    step->Execute("DELETE FROM RowWrites");
    step->Execute("CREATE TEMP TRIGGER CountInserts AFTER INSERT ON TextRecipe BEGIN"
                  " INSERT INTO RowWrites VALUES ('insert', new.RowKey); END");
    step->Execute("CREATE TEMP TRIGGER CountUpdates AFTER UPDATE ON TextRecipe BEGIN"
                  " INSERT INTO RowWrites VALUES ('update', old.RowKey); END");
    SetInsertAfter(true);
    view.OnLineClicked(view.Line(IndexOf(view, "Purge")), false);
    ASSERT_TRUE(view.OnEditPaste());
    step->Execute("DROP TRIGGER temp.CountInserts");
    step->Execute("DROP TRIGGER temp.CountUpdates");
    QList<long> keys;
    for (int index = 0; index < view.LineCount(); ++index)
        keys << view.Line(index)->line().rowKey;
    QList<long> stored;
    QSqlQuery rows = step->Query("SELECT RowKey FROM TextRecipe ORDER BY RecipeSequenceNumber");
    while (rows.next())
        stored << long(rows.value(0).toLongLong());
    EXPECT_EQ(keys, stored) << "each line addresses its own row";
    const int first = IndexOf(view, "Work-up") - 12;
    ASSERT_TRUE(view.Line(first)->text().startsWith("Reaction"));
    for (int n = 0; n < 12; ++n)
        EXPECT_EQ(keys.at(first + n), firstKey + n);
    EXPECT_EQ(
        Count(QString("SELECT COUNT(*) FROM RowWrites WHERE kind = 'insert' AND rowKey >= %1").arg(firstKey)),
        12);
    EXPECT_EQ(
        Count(QString("SELECT COUNT(*) FROM RowWrites WHERE kind = 'update' AND rowKey >= %1").arg(firstKey)),
        0);
    EXPECT_EQ(Count("SELECT COUNT(*) FROM RowWrites WHERE kind = 'update'"), 4) << "Work-up moves down";
    ExpectMatchesFreshLoad(view);
}

namespace {
// Stores "composed <id>" as the process-operation call stores a regenerated text; counts the calls.
class ComposingOperations : public ProcessOperationService {
public:
    bool ProcessOperation(long stepID, long operationID) override
    {
        ++processed[operationID];
        GetStepDatabase(stepID)->Execute("UPDATE Operation SET RecipeText = ? WHERE OperationID = ?",
                                         {QString("composed %1").arg(operationID), qlonglong(operationID)});
        return true;
    }
    QHash<long, int> processed;
};
} // namespace

// A pasted unit procedure's operations are composed once for their new successor and show the
// stored text; an operation pasted into a unit procedure of the step is composed once for the
// vessel it lands in. The target's transitions are built first: only the pasted texts change.
TEST_F(RecipePasteTest, EachPastedOperationIsComposedOnce)
{
    ComposingOperations composing;
    ServiceInstallations composer;
    composer.Install<ProcessOperationService>(&composing);
    CQUORVANTAView& source = OpenCoupling();
    CopyLines(source, {"Reaction"});
    CQUORVANTAView& target = OpenView(CRYSTALLIZATION_STEP);
    Array<TransitionRecord> unitProcedures, operations;
    ASSERT_TRUE(CTransitionBuilder::BuildStepTransitions(CRYSTALLIZATION_STEP, unitProcedures, operations));
    SetInsertAfter(false);
    target.OnLineClicked(target.Line(0), false);
    ASSERT_TRUE(target.OnEditPaste());
    QList<long> pasted;
    for (int j = 1; target.Line(j)->GetItemType() != RECIPE_LINE_UNIT_PROCEDURE; ++j) {
        const RecipeLineRecord& line = target.Line(j)->line();
        if (line.kind != RECIPE_LINE_OPERATION)
            continue;
        pasted << line.itemID;
        const QString composed = QString("composed %1").arg(line.itemID);
        EXPECT_EQ(line.recipeText, composed);
        EXPECT_EQ(StepLong(CRYSTALLIZATION_STEP, QString("SELECT COUNT(*) FROM Operation WHERE OperationID = %1"
                                                         " AND RecipeText = '%2'").arg(line.itemID).arg(composed)),
                  1);
    }
    ASSERT_GE(pasted.size(), 5);
    QList<long> processed = composing.processed.keys();
    std::sort(pasted.begin(), pasted.end());
    std::sort(processed.begin(), processed.end());
    EXPECT_EQ(processed, pasted);
    EXPECT_EQ(QSet<int>(composing.processed.cbegin(), composing.processed.cend()), QSet<int>{1});
    composing.processed.clear();
    CopyLines(source, {"Heat R-101"});
    SetInsertAfter(true);
    target.OnLineClicked(target.Line(1), false);
    ASSERT_TRUE(target.OnEditPaste());
    const RecipeLineRecord& heat = target.Line(2)->line();
    EXPECT_EQ(composing.processed, (QHash<long, int>{{heat.itemID, 1}}));
    EXPECT_EQ(heat.recipeText, QString("composed %1").arg(heat.itemID));
    EXPECT_EQ(StepLong(CRYSTALLIZATION_STEP, QString("SELECT COUNT(*) FROM Operation WHERE OperationID = %1"
                                                     " AND RecipeText = 'composed %1'")
                                                 .arg(heat.itemID)),
              1);
    ExpectMatchesFreshLoad(target);
}

static void ExpectBlockKept(RecipePasteTest& test, bool after)
{
    test.PasteReactionNextToTransfer(after);
}
