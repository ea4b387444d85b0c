#pragma once
// The logical content of every database file of a project folder, by file name.

#include "DatabaseDump.h"
#include "RevisionEdit.h"

#include <QMap>
#include <QString>

#include <optional>

using ProjectSnapshot = QMap<QString, QStringList>;

// The kind of a project file by its name (".prj", ".eqm", ".mtl", "STEP_<id>.STP"); none for others.
std::optional<ProjectDatabaseKind> ProjectDatabaseKindOf(const QString& fileName);
// The names of the files whose content differs, or that only one of the snapshots has.
QStringList DifferingFiles(const ProjectSnapshot& left, const ProjectSnapshot& right);
// The project files of the folder; a file that fails its integrity check fails the running test.
ProjectSnapshot TakeSnapshot(const QString& projectDir);
// What a completed save of the revision writes: the revision applied to copies of the files in the
// scratch folder.
ProjectSnapshot ExpectedAfterRevision(const QString& projectDir, const QString& scratchDir, int revision);
