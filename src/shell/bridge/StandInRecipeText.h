#pragma once
// The recipe text the managed side's stand-in generates for one operation, through the shared
// composer (foundation/db/content/RecipeTextComposer.h): a sentence from its type's pattern in the recipe
// language of the open language database. What a regeneration reads once (options, rounding, the
// names of materials, equipment and categories, the language) is kept per project until the
// step-wise cache is reset, or an operation names an equipment item the kept names lack.

#include "foundation/db/content/RecipeTextComposer.h"

#include <QList>
#include <QSet>
#include <QString>

#include <optional>

class CStandInRecipeText {
public:
    // False when the step has no open database or the operation no row.
    bool Compose(long stepID, long operationID, QString& text);
    // The same of several operations of the step, read together: a text each, nothing for one
    // without a row (all nothing without the step's database).
    QList<std::optional<QString>> Compose(long stepID, const QList<long>& operationIDs);
    void Reset();

private:
    void LoadProjectData();
    void ReloadForUnknownEquipment(const QList<RecipeTextOperation>& operations);

    bool m_loaded = false;
    QString m_projectPath; // the project the kept settings are of
    RecipeTextSettings m_settings;
    QSet<long> m_lackingEquipment; // named by an operation, not found at the last reading
};
