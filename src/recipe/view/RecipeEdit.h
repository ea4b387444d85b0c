#pragma once
// One edit command of a text-recipe view as one transaction on the step database. Made before
// the lines change in memory, it keeps their rows' state; Commit writes what differs (and the
// edit's own rows, such as constraints) between BEGIN and COMMIT. A failure rolls back, shows
// the error and rebuilds the view from the database with its selection and scroll kept.

#include "recipe/view/RecipeEditWriter.h"

#include <QString>

#include <functional>
#include <stdexcept>

class CQUORVANTAView;

// Raised inside an edit's write when the failure's message was already shown.
class RecipeEditAborted : public std::runtime_error {
public:
    RecipeEditAborted() : std::runtime_error("recipe edit aborted") {}
};

class CRecipeEdit {
public:
    explicit CRecipeEdit(CQUORVANTAView& view);
    // An edit that changes none of the lines outside [from, to) and keeps their number: only the
    // lines in between are compared, so the edit costs what it changes.
    CRecipeEdit(CQUORVANTAView& view, int from, int to);

    // False with "Can't open TextRecipe Table to update!" when the step's database cannot be
    // written; ask before anything changes.
    static bool CanWrite(long stepID);

    // One transaction: ownRows, then the lines' rows, then afterRows (which sees the rows as the
    // lines now have them).
    bool Commit(const std::function<void(class CDaoDatabase&)>& ownRows = {},
                const std::function<void(class CDaoDatabase&)>& afterRows = {});
    int rowsWritten() const { return m_rowsWritten; }

private:
    QList<RecipeLineRow> Rows() const;
    void RestoreFromDatabase();

    CQUORVANTAView& m_view;
    int m_from = 0;
    int m_to = -1; // -1: to the last line
    QList<RecipeLineRow> m_before;
    int m_selected = -1;
    int m_vertPos = 0;
    int m_horzPos = 0;
    int m_rowsWritten = 0;
};
