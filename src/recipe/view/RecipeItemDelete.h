#pragma once
// Deleting a unit procedure (with the operations and keyword lines up to the next unit procedure)
// or one operation from the text recipe of a step that no recipe window shows. The rows are left
// as a recipe window's delete leaves them: the item's rows gone and every line numbered again in
// recipe order, written in one transaction on the step database by the recipe edit writer.

#include <QString>

class CRecipeItemDelete {
public:
    // kind: RECIPE_LINE_UNIT_PROCEDURE or RECIPE_LINE_OPERATION. False, after the failure's message,
    // when the rows could not be read or written; an item the recipe does not hold deletes nothing.
    static bool Run(long stepID, long itemID, int kind, const QString& failure);
};
