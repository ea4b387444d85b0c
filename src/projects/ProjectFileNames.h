#pragma once
// Fixed names of the project file set, and the text shown when the set is in use.

#include "foundation/common/PathHelpers.h"

#include <QString>
#include <QStringList>

#include <optional>

// Shown when another instance, or this one, already has the project open.
constexpr const char* ALREADY_OPEN_TEXT =
    "This project is already open.\n\nA copy of the project may be made to continue working.";

inline const QString IN_USE_MARKER_NAME = QStringLiteral("WorkingPath.txt");
inline const QString COMPOUND_LOCATION_NAME = QStringLiteral("CompoundFileLocation.txt");

// Step and process exchange files in the project folder, deleted when the project closes.
inline QStringList ProjectScratchFileNames()
{
    return {QStringLiteral("EXPORT_S.TMP"), QStringLiteral("IMPORT_S.TMP"), QStringLiteral("EXPORT_P.TMP"),
            QStringLiteral("IMPORT_P.TMP"), QStringLiteral("COPY_S.TMP")};
}

// The project, equipment and material files of a project or a template.
inline QStringList ProjectFileExtensions(bool isTemplate)
{
    if (isTemplate)
        return {QStringLiteral(".qvt"), QStringLiteral(".eqt"), QStringLiteral(".mtt")};
    return {QStringLiteral(".prj"), QStringLiteral(".eqm"), QStringLiteral(".mtl")};
}

inline QString StepWorkingCopyName(long stepID)
{
    return QStringLiteral("STEP_") + QString::number(stepID) + QStringLiteral(".WC");
}

inline QString StepDatabaseName(long stepID)
{
    return QStringLiteral("STEP_") + QString::number(stepID) + QStringLiteral(".STP");
}

// The step whose database file bears exactly this name; none for any other name.
inline std::optional<long> StepOfDatabaseName(const QString& name)
{
    const QString prefix = QStringLiteral("STEP_"), suffix = QStringLiteral(".STP");
    if (!name.startsWith(prefix) || !name.endsWith(suffix))
        return std::nullopt;
    bool ok = false;
    const long stepID = QStringView(name).sliced(prefix.size(), name.size() - prefix.size() - suffix.size()).toLong(&ok);
    if (!ok || StepDatabaseName(stepID) != name)
        return std::nullopt;
    return stepID;
}
