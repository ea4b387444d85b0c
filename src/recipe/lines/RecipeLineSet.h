#pragma once
// A step's text-recipe rows in recipe order with what their lines show, in one read: the unit
// procedure's name and comments beside its row, the operation's label, type, recipe, range and
// comment texts beside its row. The Found... ids are null when the row's item is missing. Read-only.

#include "foundation/db/recordsets/DaoRecordset.h"

#include <optional>

#include <QList>
#include <QString>

#include <vector>

// One row of the set as the view reads it.
struct RecipeLineSetRow {
    long id = 0;
    short indent = 0;
    QString label;
    long opNumber = 0;
    long sequence = 0;
    QString type;
    long upNumber = 0;
    bool hide = false;
    bool breakpoint = false;
    long rowKey = 0;
    bool unitProcedureFound = false;
    QString unitProcedureName;
    QString unitProcedureComments;
    bool operationFound = false;
    QString quorvantaLabel;
    long operationTypeID = 0;
    QString recipeText;
    QString rangeText;
    QString operationComments;
};

class CRecipeLineSet : public CDaoRecordset {
public:
    // Every row of the step in recipe order, read by column through a statement the step's
    // connection keeps prepared; nullopt when the database does not open or the read fails.
    static std::optional<std::vector<RecipeLineSetRow>> ReadAll(long stepID);
    // The same of the rows of these items of that type only, found through the item index.
    static std::optional<std::vector<RecipeLineSetRow>> ReadItems(long stepID, const QList<long>& itemIDs,
                                                                  const QString& type);
    // The current row of an open set.
    RecipeLineSetRow CurrentRow() const;

    CRecipeLineSet() : CDaoRecordset(Definition()) { SetErrorMode(DaoErrorMode::Quiet); }
    // The step's registered database; false without a message when it does not open.
    bool OpenSet(long stepID);
    void CloseSet() { CDaoRecordset::CloseSet(); }
    static const DaoRecordsetDef& Definition();
};
