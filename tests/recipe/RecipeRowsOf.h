#pragma once
// Recipe rows from a compact text: "U O O SP S O S O EP" (U unit procedure, O operation,
// SP/EP Start/End Parallel, SO/EO Start/End Or, S Series). Items are labelled and numbered the
// way the recipe view numbers them; ids are 100 + the row's position.

#include "foundation/common/Array.h"
#include "recipe/transitions/RecipeKeywords.h"
#include "recipe/transitions/RecipeRow.h"

#include <QStringList>

inline QString RecipeTypeOfToken(const QString& token)
{
    static const QList<std::pair<QString, QString>> types = {
        {"U", UNIT_PROCEDURE_TYPE}, {"O", OPERATION_TYPE}, {"SP", START_PARALLEL}, {"EP", END_PARALLEL},
        {"SO", START_OR},           {"EO", END_OR},        {"S", SERIES_KEYWORD}};
    for (const auto& [code, type] : types) {
        if (code == token)
            return type;
    }
    return token;
}

inline Array<RecipeRow> RecipeRowsOf(const QString& text)
{
    Array<RecipeRow> rows;
    long unit = 0, operation = 0;
    for (const QString& token : text.split(u' ', Qt::SkipEmptyParts)) {
        RecipeRow row;
        row.Type = RecipeTypeOfToken(token);
        row.ID = 100 + rows.GetSize();
        row.Indent = 1;
        if (token == "U") {
            operation = 0;
            row.Label = QStringLiteral("%1.").arg(++unit);
        } else if (token == "O") {
            row.Label = QStringLiteral("%1.%2.").arg(unit).arg(++operation);
        }
        row.UPNumber = unit;
        row.OPNumber = token == "O" ? operation : 0;
        rows.Add(row);
    }
    return rows;
}
