#pragma once
// A text-recipe document window: which project, process and step it shows. The Process Explorer
// writes these when it opens the window; every open document of a step holds the step's id and
// facility id.

#include <QString>

struct RecipeDocumentIdentity {
    long projectID = -1;
    long processID = -1;
    QString stepTitle; // "Name (Version)"
    long stepID = -1;
    long facilityID = -1;
    bool openedFromExplorer = false; // the window selects the explorer's line when it loads
};

class RecipeDocument {
public:
    virtual ~RecipeDocument() = default;
    virtual RecipeDocumentIdentity& identity() = 0;
};
