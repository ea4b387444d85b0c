#include "recipe/RecipeLineTexts.h"

#include "foundation/common/DisplayOptions.h"
#include "recipe/OperationComment.h"
#include "recipe/RecipeLineRecord.h"
#include "recipe/RecipeLineSet.h"

namespace {
// The comment or range text behind a line's text: on the next line, or one line further with
// AddSpace; a unit procedure's comment follows its name directly without AddSpace.
QString AppendBelow(const QString& text, const QString& extra, const char* separator, const char* spaced,
                    bool addSpace)
{
    return text + QLatin1String(addSpace ? spaced : separator) + extra;
}
} // namespace

QString UnitProcedureLineText(const QString& name, const QString& comment)
{
    const DisplayOptions options = CurrentDisplayOptions();
    if (comment.isEmpty() || !options.comments)
        return name;
    return AppendBelow(name, comment, "", "\n", options.addSpace);
}

void FillUnitProcedureTexts(long stepID, const CRecipeLineSet& row, RecipeLineRecord& record)
{
    record.typeText = QStringLiteral("Unit Procedure");
    record.unitProcedureName = row.GetText(QStringLiteral("UnitProcedureName"));
    record.commentText = GetUnitProcedureComment(stepID, row.GetLong(QStringLiteral("ID")),
                                                 row.GetText(QStringLiteral("UnitProcedureComments")));
    record.displayText = UnitProcedureLineText(record.unitProcedureName, record.commentText);
}

void FillOperationTexts(const CRecipeLineSet& row, RecipeLineRecord& record)
{
    const DisplayOptions options = CurrentDisplayOptions();
    record.typeText = QStringLiteral("Operation");
    record.operationLabel = row.GetText(QStringLiteral("QuorvantaLabel"));
    record.operationTypeID = row.GetLong(QStringLiteral("OperationTypeID"));
    record.recipeText = row.GetText(QStringLiteral("RecipeText"));
    if (record.recipeText.trimmed().isEmpty())
        record.recipeText = record.operationLabel + QStringLiteral(" ...");
    record.displayText = record.recipeText;
    record.rangeText = row.GetText(QStringLiteral("RangeText"));
    if (!record.rangeText.isEmpty() && options.ranges)
        record.displayText = AppendBelow(record.displayText, record.rangeText, "\n", "\n\n", options.addSpace);
    record.commentText = row.GetText(QStringLiteral("OperationComments"));
    if (!record.commentText.isEmpty() && options.comments)
        record.displayText = AppendBelow(record.displayText, record.commentText, "\n", "\n\n", options.addSpace);
}

bool ReadRecipeLineTexts(long stepID, long itemID, int kind, RecipeLineRecord& record)
{
    if (kind != RECIPE_LINE_UNIT_PROCEDURE && kind != RECIPE_LINE_OPERATION)
        return false;
    CRecipeLineSet row;
    const bool unitProcedure = kind == RECIPE_LINE_UNIT_PROCEDURE;
    row.SetFilter(QStringLiteral("ID = :pItemID AND Type = :pType AND %1 IS NOT NULL")
                      .arg(QLatin1String(unitProcedure ? "FoundUnitProcedureID" : "FoundOperationID")));
    row.SetParameter(QStringLiteral("pItemID"), qlonglong(itemID));
    row.SetParameter(QStringLiteral("pType"), unitProcedure ? QStringLiteral("Unit Procedure")
                                                            : QStringLiteral("Operation"));
    if (!row.OpenSet(stepID) || row.IsEOF())
        return false;
    record.label = row.GetText(QStringLiteral("Label"));
    unitProcedure ? FillUnitProcedureTexts(stepID, row, record) : FillOperationTexts(row, record);
    return true;
}
