// Seeded random pastes into the Coupling recipe against a line-by-line reference: the lines keep
// their order around the pasted block, labels count up line by line, the stored sequence runs
// 1..n, keyword ids follow their rows and each line holds its row's key.

#include "RecipeEditFixture.h"

#include "foundation/common/CommandIds.h"
#include "foundation/db/connection/DaoDatabase.h"
#include "recipe/view/RecipeClipboard.h"

#include <QRandomGenerator>
#include <QSqlQuery>

namespace {
// Labels as counting the lines one by one gives them: "n." per unit procedure, "n.m." per operation.
QStringList ReferenceLabels(const CQUORVANTAView& view)
{
    QStringList labels;
    int unitProcedure = 0, operation = 0;
    for (const CRecipeButton* line : view.lines()) {
        if (line->GetItemType() == RECIPE_LINE_UNIT_PROCEDURE)
            std::tie(unitProcedure, operation) = std::pair(unitProcedure + 1, 0);
        else if (line->GetItemType() == RECIPE_LINE_OPERATION)
            ++operation;
        if (line->GetItemType() == RECIPE_LINE_UNIT_PROCEDURE)
            labels << QString("%1.").arg(unitProcedure);
        else if (line->GetItemType() == RECIPE_LINE_OPERATION)
            labels << QString("%1.%2.").arg(unitProcedure).arg(operation);
        else
            labels << QString();
    }
    return labels;
}

QStringList ShownLabels(const CQUORVANTAView& view)
{
    QStringList labels;
    for (const CRecipeButton* line : view.lines())
        labels << (IsKeywordLine(line->GetItemType()) ? QString() : line->line().label);
    return labels;
}

QStringList TextsOf(const CQUORVANTAView& view)
{
    QStringList texts;
    for (const CRecipeButton* line : view.lines())
        texts << line->text().section('\n', 0, 0);
    return texts;
}
} // namespace

class RecipePasteRandomTest : public RecipeEditFixture {
protected:
    RecipePasteRandomTest() { installed.Install<RecipeClipboard>(&clipboard); }
    RecipeClipboard clipboard;
};

TEST_F(RecipePasteRandomTest, RandomPastesMatchTheLineByLineReference)
{
    CQUORVANTAView& view = OpenCoupling();
    QRandomGenerator random(20240611);
    int pastes = 0;
    for (int round = 0; round < 24; ++round) {
        SCOPED_TRACE(round);
        QList<int> operations, unitProcedures;
        for (int j = 0; j < view.LineCount(); ++j)
            (view.Line(j)->GetItemType() == RECIPE_LINE_OPERATION ? operations : unitProcedures) << j;
        unitProcedures.removeIf([&](int j) { return view.Line(j)->GetItemType() != RECIPE_LINE_UNIT_PROCEDURE; });
        QList<int> copied;
        if (random.bounded(3) == 0) {
            copied << unitProcedures.at(random.bounded(int(unitProcedures.size())));
        } else {
            const int first = random.bounded(int(operations.size()));
            for (int n = first; n < qMin(first + 1 + random.bounded(3), int(operations.size())); ++n)
                copied << operations.at(n);
        }
        for (int n = 0; n < copied.size(); ++n)
            view.OnLineClicked(view.Line(copied[n]), n > 0);
        ASSERT_TRUE(view.OnEditCopy());
        QStringList pasted;
        for (int index : copied) {
            pasted << TextsOf(view).at(index);
            for (int j = index + 1; view.Line(index)->GetItemType() == RECIPE_LINE_UNIT_PROCEDURE &&
                                    j < view.LineCount() && view.Line(j)->GetItemType() != RECIPE_LINE_UNIT_PROCEDURE;
                 ++j)
                pasted << TextsOf(view).at(j);
        }
        SetInsertAfter(random.bounded(2) == 0);
        view.OnActivateView(true);
        view.OnLineClicked(view.Line(random.bounded(view.LineCount())), false);
        const QStringList before = TextsOf(view);
        if (!view.IsCommandEnabled(ID_EDIT_PASTE))
            continue;
        if (!view.OnEditPaste()) {
            prompts.clear();
            EXPECT_EQ(TextsOf(view), before) << "a refused paste changes nothing";
            continue;
        }
        ++pastes;
        const QStringList after = TextsOf(view);
        ASSERT_EQ(after.size(), before.size() + pasted.size());
        const int at = int(after.indexOf(pasted.first()));
        qsizetype block = -1;
        for (qsizetype j = 0; j + pasted.size() <= after.size(); ++j) {
            if (after.mid(j, pasted.size()) == pasted && (after.mid(0, j) + after.mid(j + pasted.size())) == before)
                block = j;
        }
        EXPECT_GE(block, 0) << "the copies lie together, the other lines in their order; first at " << at;
        EXPECT_EQ(ShownLabels(view), ReferenceLabels(view));
        QSqlQuery rows =
            GetStepDatabase(COUPLING_STEP)
                ->Query("SELECT RecipeSequenceNumber, RowKey FROM TextRecipe ORDER BY RecipeSequenceNumber");
        for (int expected = 1; rows.next(); ++expected) {
            ASSERT_EQ(rows.value(0).toInt(), expected);
            ASSERT_EQ(rows.value(1).toLongLong(), view.Line(expected - 1)->line().rowKey)
                << "the line's own row";
        }
        ExpectMatchesFreshLoad(view);
    }
    EXPECT_GE(pastes, 12) << "most rounds paste";
}
