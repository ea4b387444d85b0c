#pragma once
// The stand-in's operation editor: the operation's stored parameters, the library items its type
// names (material, reaction data set, key component) and its comments are asked first; on OK,
// one transaction on the step's connection writes the changed values and items, the recipe text
// generated from the values shown (changed or not: a new operation's defaults are named as the run
// uses them), the comments and an empty range text. Cancel writes nothing; a failed write rolls
// back and shows the database's message.

#include "shell/bridge/OperationEditorForm.h"

class CDaoDatabase;
class CStandInRecipeText;

class CStandInOperationEditor {
public:
    explicit CStandInOperationEditor(CStandInRecipeText& recipeText) : m_recipeText(recipeText) {}

    // The new recipe text; nothing on Cancel or when nothing was stored. userComments (may be null) receives
    // the stored comments.
    std::optional<QString> Edit(long stepID, long operationID, long lastPrimaryEquipmentID, QString* userComments);

    // The form's content as the step holds it; nullopt when the operation has no row.
    static std::optional<OperationEditorContent> Read(CDaoDatabase& step, long operationID,
                                                      long lastPrimaryEquipmentID);

private:
    QString Write(CDaoDatabase& step, long stepID, long operationID, const OperationEditorContent& before,
                  const OperationEditorContent& after);

    CStandInRecipeText& m_recipeText;
};
