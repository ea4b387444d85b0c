#pragma once
// Stand-in of the recipe-data module's text-recipe reads: the rows and the step record of an open
// step database. A failure is reported by the answer, never shown.

#include "modules/sharedclasses/DataExchangeTextRecipe.h"

#include <QList>
#include <QString>

class CInterfaceTextRecipe {
public:
    // Every row of the step in recipe order (item -1, type "all"), or the rows of one item of that
    // type; false when the step database is missing or cannot be read.
    bool getAllRecipeData(long stepID, long itemID, const QString& type,
                          QList<CDataExchangeTextRecipe>& rows);
    // The step's [Step] record; false when it cannot be read or the step has none.
    bool getStepName(long stepID, QString& name);
    bool getStepVersionName(long stepID, QString& versionName);

private:
    bool readStepColumn(long stepID, const char* column, QString& value);
};
