#pragma once
// What a step database holds after any sequence of recipe edits: each check answers the first
// thing it finds wrong as one line of text, or an empty string when the step is whole.

#include <QString>

class CDaoDatabase;

// Item ids: unique per kind, the kinds apart but for the START pair's 1; recipe rows: each names an
// existing item once, sequence numbers and labels count up, keyword ids are their positions.
QString RecipeRowFault(CDaoDatabase& step);
// No text in a column declared INTEGER or REAL, in any table.
QString ColumnTypeFault(CDaoDatabase& step);
// Fields and ranges name their group, groups their operation.
QString ReferenceFault(CDaoDatabase& step);
// A Start-After or parallel constraint naming an item that is no longer on the recipe: a deleted
// or cut line leaves those naming it behind.
QString DanglingConstraint(CDaoDatabase& step);
// PRAGMA integrity_check, and the structure check of the visible lines ending in a pass or one
// of its own messages.
QString IntegrityFault(CDaoDatabase& step, long stepID);

inline QString StepWholenessFault(CDaoDatabase& step, long stepID)
{
    for (const QString& fault :
         {RecipeRowFault(step), ColumnTypeFault(step), ReferenceFault(step), IntegrityFault(step, stepID)}) {
        if (!fault.isEmpty())
            return fault;
    }
    return {};
}

// The step's rows as an exchange carries them, every table in key order, the step id and the
// regenerated recipe texts left out: equal for a step and its imported copy.
QString ExchangedContent(CDaoDatabase& step);
