#pragma once
// Fixed names of the project file set.

#include <QString>
#include <QStringList>

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
    return QStringLiteral("STEP_%1.WC").arg(stepID);
}

inline QString StepDatabaseName(long stepID)
{
    return QStringLiteral("STEP_%1.STP").arg(stepID);
}

// A folder path with its trailing "/".
inline QString WithSlash(const QString& folder)
{
    return folder.isEmpty() || folder.endsWith(QLatin1Char('/')) ? folder : folder + QLatin1Char('/');
}
