#include "recipe/lines/RecipeLineTexts.h"

#include "foundation/common/concerns/DisplayOptions.h"
#include "recipe/lines/OperationComment.h"
#include "recipe/lines/RecipeLineRecord.h"
#include "recipe/lines/RecipeLineSet.h"

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
    return AppendBelow(name, comment, " ", "\n", options.addSpace);
}

void FillUnitProcedureTexts(long stepID, const RecipeLineSetRow& row, RecipeLineRecord& record)
{
    record.typeText = QStringLiteral("Unit Procedure");
    record.unitProcedureName = row.unitProcedureName;
    record.commentText = GetUnitProcedureComment(stepID, row.id, row.unitProcedureComments);
    record.displayText = UnitProcedureLineText(record.unitProcedureName, record.commentText);
}

void FillOperationTexts(const RecipeLineSetRow& row, RecipeLineRecord& record)
{
    const DisplayOptions options = CurrentDisplayOptions();
    record.typeText = QStringLiteral("Operation");
    record.operationLabel = row.quorvantaLabel;
    record.operationTypeID = row.operationTypeID;
    record.recipeText = row.recipeText;
    if (record.recipeText.trimmed().isEmpty())
        record.recipeText = record.operationLabel + QStringLiteral(" ...");
    record.displayText = record.recipeText;
    record.rangeText = row.rangeText;
    if (!record.rangeText.isEmpty() && options.ranges)
        record.displayText = AppendBelow(record.displayText, record.rangeText, "\n", "\n\n", options.addSpace);
    record.commentText = row.operationComments;
    if (!record.commentText.isEmpty() && options.comments)
        record.displayText = AppendBelow(record.displayText, record.commentText, "\n", "\n\n", options.addSpace);
}

bool ReadRecipeLineTexts(long stepID, long itemID, int kind, RecipeLineRecord& record)
{
    QHash<long, RecipeLineRecord> records;
    if (!ReadRecipeLineTexts(stepID, {itemID}, kind, records))
        return false;
    record = records.value(itemID);
    return true;
}

bool ReadRecipeLineTexts(long stepID, const QList<long>& itemIDs, int kind, QHash<long, RecipeLineRecord>& records)
{
    if (kind != RECIPE_LINE_UNIT_PROCEDURE && kind != RECIPE_LINE_OPERATION)
        return false;
    const bool unitProcedure = kind == RECIPE_LINE_UNIT_PROCEDURE;
    const std::optional<std::vector<RecipeLineSetRow>> rows = CRecipeLineSet::ReadItems(
        stepID, itemIDs, unitProcedure ? QStringLiteral("Unit Procedure") : QStringLiteral("Operation"));
    if (!rows)
        return false;
    for (const RecipeLineSetRow& row : *rows) {
        if (!(unitProcedure ? row.unitProcedureFound : row.operationFound) || records.contains(row.id))
            continue; // the first line of an item in recipe order
        RecipeLineRecord& record = records[row.id];
        record.label = row.label;
        unitProcedure ? FillUnitProcedureTexts(stepID, row, record) : FillOperationTexts(row, record);
    }
    for (const long itemID : itemIDs) {
        if (!records.contains(itemID))
            return false;
    }
    return true;
}
