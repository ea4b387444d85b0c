#pragma once
// The texts a recipe line shows, built from its row the same way whether a view loads the whole
// recipe or one line is read again after an edit: the unit procedure's name with its comment, the
// operation's recipe text with its range text and comments, as the display options say.

#include <QHash>
#include <QList>
#include <QString>

struct RecipeLineSetRow;
struct RecipeLineRecord;

// A unit procedure's name followed by its comment (when comments are shown).
QString UnitProcedureLineText(const QString& name, const QString& comment);
// The text fields of a unit-procedure or operation line from the current row of the set.
void FillUnitProcedureTexts(long stepID, const RecipeLineSetRow& row, RecipeLineRecord& record);
void FillOperationTexts(const RecipeLineSetRow& row, RecipeLineRecord& record);
// The line of that item and kind (1 unit procedure, 2 operation) read again from the step: its
// texts and label. False when the step, its recipe row or the item is missing.
bool ReadRecipeLineTexts(long stepID, long itemID, int kind, RecipeLineRecord& record);
// The same of many items in one read, by item id; false when any of them is missing.
bool ReadRecipeLineTexts(long stepID, const QList<long>& itemIDs, int kind, QHash<long, RecipeLineRecord>& records);
