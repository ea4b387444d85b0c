#pragma once
// One recipe line as it is built from its TextRecipe row: what the view makes a line window from.

#include <QString>

// The kinds of recipe line.
enum RecipeLineType : int {
    RECIPE_LINE_UNIT_PROCEDURE = 1,
    RECIPE_LINE_OPERATION = 2,
    RECIPE_LINE_PARALLEL = 3, // "Start Parallel", "End Parallel"
    RECIPE_LINE_OR = 4,       // "Start Or", "End Or"
    RECIPE_LINE_SERIES = 5,
};

// The kind of a row's Type text, compared without regard to case; 0 for an unknown type.
int RecipeLineKindOf(const QString& typeText);
inline bool IsKeywordLine(int kind)
{
    return kind >= RECIPE_LINE_PARALLEL && kind <= RECIPE_LINE_SERIES;
}

struct RecipeLineRecord {
    int insertAt = -1; // index in the view's line list; -1 appends
    int kind = 0;
    int indent = 1;
    QString label;
    QString displayText;
    QString typeText;
    QString unitProcedureName;
    QString operationLabel;
    long itemID = -1;
    long stepID = -1;
    int topY = 0; // in: where the line goes; out: the top of the next line
    long operationNumber = 0;
    long unitProcedureNumber = 0;
    long operationTypeID = -1;
    int width = 0;
    QString recipeText;
    QString commentText;
    QString rangeText;
    bool hidden = false;
    bool breakpoint = false;
    int severity = -1; // -1 none, 0 error, 1 warning
    long rowKey = -1;  // the TextRecipe row the line was built from
};
