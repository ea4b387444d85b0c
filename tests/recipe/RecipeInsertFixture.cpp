#include "RecipeInsertFixture.h"

#include "foundation/db/connection/DaoDatabase.h"

#include <QSqlQuery>

std::optional<NewUnitProcedureInput> ScriptedOperationDialogs::AskUnitProcedure(const QString& suggestedName)
{
    asked << "unit procedure " + suggestedName;
    EXPECT_FALSE(answers.empty()) << "unexpected unit-procedure dialog";
    if (answers.empty())
        return std::nullopt;
    const auto answer = answers.front();
    answers.pop_front();
    return answer ? std::optional(NewUnitProcedureInput{answer->first, answer->second}) : std::nullopt;
}

std::optional<NewOperationInput> ScriptedOperationDialogs::AskOperation(const QString& typeName,
                                                                        const QString& unitProcedureName)
{
    asked << "operation " + typeName + " under " + unitProcedureName;
    EXPECT_FALSE(answers.empty()) << "unexpected operation dialog";
    if (answers.empty())
        return std::nullopt;
    const auto answer = answers.front();
    answers.pop_front();
    return answer ? std::optional(NewOperationInput{answer->first}) : std::nullopt;
}

std::optional<UnitProcedureEditInput>
ScriptedOperationDialogs::AskUnitProcedureEdit(const UnitProcedureEditInput& current,
                                               const QList<EquipmentChoice>& equipment)
{
    asked << "edit " + current.name;
    offeredEquipment = equipment;
    EXPECT_FALSE(edits.empty()) << "unexpected unit-procedure form";
    if (edits.empty())
        return std::nullopt;
    const auto answer = edits.front();
    edits.pop_front();
    return answer;
}

RecipeInsertFixture::RecipeInsertFixture()
{
    installed.Install<OperationDialogService>(&dialogs);
    installed.Install<AutomationModel>(&automation);
    installed.Install<PaneServices>(&panes);
}

CQUORVANTAView& RecipeInsertFixture::OpenCoupling(const QString& selectedText)
{
    OpenDemo();
    CQUORVANTAView& view = OpenView(COUPLING_STEP);
    if (!selectedText.isEmpty())
        view.SelectItem(IndexOf(view, selectedText));
    return view;
}

void RecipeInsertFixture::SetInsertAfter(bool after)
{
    CRecipeWindows::Installed()->ApplyInsertMode(after, !after);
    for (CQUORVANTAView* view : CRecipeWindows::Views())
        view->OnActivateView(false);
}

QStringList RecipeInsertFixture::Rows(long stepID)
{
    QSqlQuery query = GetStepDatabase(stepID)->Query(
        QStringLiteral("SELECT Label, Type, ID, RecipeSequenceNumber FROM TextRecipe WHERE StepID = ?"
                       " ORDER BY RecipeSequenceNumber, RowKey"),
        {qlonglong(stepID)});
    QStringList rows;
    long expected = 1;
    while (query.next()) {
        EXPECT_EQ(query.value(3).toLongLong(), expected++) << "sequence numbers run from 1 without gaps";
        const bool keyword = RecipeLineKindOf(query.value(1).toString()) > RECIPE_LINE_OPERATION;
        rows << query.value(0).toString() + "|" + query.value(1).toString() + "|" +
                    (keyword ? query.value(2).toString() : QString());
    }
    return rows;
}

QStringList RecipeInsertFixture::Lines(const CQUORVANTAView& view)
{
    QStringList lines;
    for (int index = 0; index < view.LineCount(); ++index) {
        const RecipeLineRecord& line = view.Line(index)->line();
        lines << line.label + "|" + line.typeText + "|" +
                     (IsKeywordLine(line.kind) ? QString::number(line.itemID) : QString());
    }
    return lines;
}

long RecipeInsertFixture::StepLong(long stepID, const QString& sql)
{
    QSqlQuery query = GetStepDatabase(stepID)->Query(sql);
    return query.next() ? long(query.value(0).toLongLong()) : -1;
}
