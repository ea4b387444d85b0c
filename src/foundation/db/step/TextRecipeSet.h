#pragma once
// [QryTextRecipe]: the text-recipe rows of a step. Item type "all" gives the whole recipe in recipe
// order; any other type with an item id gives that line ("Unit Procedure" + its id). Rows are
// written, and deleted, by their stable row key.

#include "foundation/db/recordsets/DaoRecordset.h"

class CTextRecipeSet : public CDaoRecordset {
public:
    CTextRecipeSet() : CDaoRecordset(Definition()) {}
    // "" = the step's registered database; another path gets a connection of its own.
    bool OpenSet(long stepID, long itemID, const QString& itemType, const QString& dbPath = QString());
    void CloseSet() { CDaoRecordset::CloseSet(); }
    static const DaoRecordsetDef& Definition();
};
