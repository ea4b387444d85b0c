#pragma once
// Reading and showing the numbers typed into edits and grid cells, in the C locale whatever the
// desktop locale is, so that stored and exchanged texts read the same everywhere.

#include <QString>

#include <optional>

// The prompt shown for a text that is not a number.
extern const char* const NUMBER_PROMPT_TEXT;

// Finite and of magnitude below 1e35: a value that can be stored as set. 1e35 and beyond mean
// "not set" to everything that reads the value back.
bool IsStorableNumber(double value);

// Empty text (after blanks and tabs) gives 1e35 and true. Blanks and tabs around the number are
// allowed. A text whose value is zero counts as a number only when it starts with the digit 0; a
// number that is not storable (1e35 typed, or more) counts as no number.
// On failure shows the number prompt when showMessage is set and returns false.
bool ParseDouble(const QString& text, double* value, bool showMessage);
// ParseDouble without a word: the value, or nullopt for a text that is no number.
std::optional<double> ParsedNumber(const QString& text);

// "%.*g" with the given precision; the grids show their numbers with precision 7.
QString FormatDouble(double value, int precision = 7);
