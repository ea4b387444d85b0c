#pragma once
// The TextRecipe Type texts of items and keywords, and the questions the structure rules ask of
// them. Types compare without regard to case.

#include <QString>

inline const QString UNIT_PROCEDURE_TYPE = QStringLiteral("Unit Procedure");
inline const QString OPERATION_TYPE = QStringLiteral("Operation");
inline const QString START_PARALLEL = QStringLiteral("Start Parallel");
inline const QString END_PARALLEL = QStringLiteral("End Parallel");
inline const QString START_OR = QStringLiteral("Start Or");
inline const QString END_OR = QStringLiteral("End Or");
inline const QString SERIES_KEYWORD = QStringLiteral("Series");

inline bool IsRecipeType(const QString& type, const QString& wanted)
{
    return type.compare(wanted, Qt::CaseInsensitive) == 0;
}

inline bool IsBlockStart(const QString& type)
{
    return IsRecipeType(type, START_PARALLEL) || IsRecipeType(type, START_OR);
}

inline bool IsBlockEnd(const QString& type)
{
    return IsRecipeType(type, END_PARALLEL) || IsRecipeType(type, END_OR);
}
