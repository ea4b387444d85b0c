#pragma once
// The recipe lines last copied or cut, shared by every recipe window of the program: the main
// frame owns the one instance and installs it in its slot. Paste reads only this, never the
// system clipboard.

#include <QList>
#include <QString>

#include <memory>

struct RecipeClipboardItem {
    int kind = 0;     // 1 unit procedure, 2 operation, 3 keyword line
    int position = 2; // 1 before, 2 after: the window's insert mode when copied
    int keywordKind = 0;
    int indent = 1;
    long operationTypeID = -1;
    long itemID = -1;
    long parentID = -1; // an operation's unit procedure in the source window
    long blockNumber = 0;
    bool hidden = false;
    QString firstText; // unit-procedure name, operation label or keyword text
    QString displayText;
    QString recipeText;
    QString rangeText;
    QString commentText;
    QList<std::shared_ptr<RecipeClipboardItem>> children; // of a unit procedure only
};

class RecipeClipboard {
public:
    void Clear();
    // The installed clipboard; null without a main frame.
    static RecipeClipboard* Installed();
    // The step's facility (its PlantID); -1 when unknown.
    static long StepFacilityID(long stepID);

    long documentID1 = -1; // stored, never read
    long documentID2 = -1;
    long sourceStepID = -1;
    long sourceFacilityID = -1;
    bool bUnitProcedures = false;
    QList<std::shared_ptr<RecipeClipboardItem>> items;
    // Set by the first copy that found a selected line; cleared only when a project is opened.
    bool bRecipeClipboardFilled = false;
};
