#pragma once
// The checks a fresh step database passes once a file's rows are in it: one [Step] row, the
// TextRecipe rows in the recipe-line format (known types, positions 1..n without gaps, keyword
// rows numbered by position, unit procedure and operation rows naming rows that exist), at most one
// exchange row (where the database has exchange tables). Every StepID column is set to the [Step]
// row's id.

#include <QSqlDatabase>
#include <QString>

// Empty when the rows pass; else why they do not.
QString CheckStepRows(QSqlDatabase database, bool exchangeTables = true);
