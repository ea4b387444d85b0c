#pragma once
// The texts of the text-recipe structure check.

#include <QString>

inline const QString START_PARALLEL_NEEDS_SERIES =
    QStringLiteral("Start Parallel keyword must be followed by a Series keyword");
inline const QString START_OR_NEEDS_SERIES =
    QStringLiteral("Start Or keyword must be followed by a Series keyword");
inline const QString UNBALANCED_BLOCKS = QStringLiteral("Unbalanced Start and End in Text Recipe");
inline const QString PARALLEL_UNIT_PROCEDURES_END =
    QStringLiteral("When using parallel Unit Procedures, the End Parallel must end a Unit Procedure");
inline const QString PARALLEL_OPERATIONS_WITHIN = QStringLiteral(
    "When using parallel Operations, the Start and End Parallel must be within one Unit Procedure");
inline const QString SERIES_MISSING = QStringLiteral("Some Series statements are missing");
inline const QString EXCESS_SERIES_AFTER =
    QStringLiteral("Excess series keyword found after operation %1 Remove keyword to simulate.");
inline const QString EXCESS_SERIES_BEFORE =
    QStringLiteral("Excess series keyword found before operation %1 Remove keyword to simulate.");
inline const QString IEC_NOT_ALLOWED =
    QStringLiteral("Text Recipe has entries not allowed by IEC 1131-3 Standard. ");
inline const QString IEC_START_PARALLEL =
    IEC_NOT_ALLOWED +
    QStringLiteral("Start Parallel keyword must be preceded by an Operation "
                   "or Unit Procedure, ") +
    QStringLiteral("or it must begin the Unit Procedure");
inline const QString IEC_START_OR = QStringLiteral(
    "Text Recipe has entries not allowed by IEC 1131-3 Standard. Start Or keyword must be preceded "
    "by an Operation or Unit Procedure, or it must begin the Unit Procedure");
inline const QString IEC_SERIES =
    QStringLiteral("Text Recipe has entries not allowed by IEC 1131-3 Standard. Series "
                   "keyword must be followed by an Operation or Unit Procedure");
inline const QString IEC_END_PARALLEL =
    QStringLiteral("Text Recipe has entries not allowed by IEC 1131-3 Standard. End Parallel keyword must be "
                   "followed by either an Operation or a Unit Procedure, or it must end the Unit Procedure");
inline const QString IEC_END_OR = QStringLiteral(
    "Text Recipe has entries not allowed by IEC 1131-3 Standard.\nEnd Or keyword must be followed by "
    "either an Operation or a Unit Procedure, \nor it must end the Unit Procedure");
