#pragma once
// One text-recipe line as the structure check and the transition walk see it.

#include <QString>

struct RecipeRow {
    QString Label; // "%ld." for a unit procedure, "%ld.%ld." for an operation, empty for keywords
    long UPNumber = 0;
    long OPNumber = 0;
    long Indent = 0;
    long ID = 0; // the TextRecipe row id, which is also the id of the item the line shows
    QString Type;

    bool operator==(const RecipeRow&) const = default;
};
