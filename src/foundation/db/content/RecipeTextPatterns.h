#pragma once
// The sentence patterns of the generated recipe text, one per operation type and recipe language
// (data/recipe-text-patterns.csv, compiled in). A pattern is plain text with {Name} for a value of
// the operation and [...] around a phrase that is left out when a value directly inside it is
// missing; phrases nest.

#include <QHash>
#include <QList>
#include <QString>

struct RecipeTextPatternRow {
    long operationTypeID = 0;
    QString language;
    QString pattern;
};

// The language whose patterns stand in for a language that has none.
inline constexpr const char* DEFAULT_RECIPE_LANGUAGE = "English";

// The rows of a patterns file's text (after its header line); a malformed line is reported in
// errorText and skipped. Fields may be quoted ("a, b"; "" for a quote inside).
QList<RecipeTextPatternRow> ParseRecipeTextPatterns(const QString& csvText, QString* errorText = nullptr);
// The compiled-in rows, read once.
const QList<RecipeTextPatternRow>& RecipeTextPatternRows();
// The pattern of the type in the language (ignoring case), else in the default language; empty
// when neither has one.
QString RecipeTextPattern(long operationTypeID, const QString& language);
