#pragma once
// The logical content of database files, read through the layer: the schema, the user version and
// the rows of every table (sorted, so that the physical order a compaction chose does not count).

#include "RevisionEdit.h"

#include <QMap>
#include <QStringList>

struct DatabaseDump {
    QString integrity;   // the answer of PRAGMA integrity_check ("ok"), or why the file cannot be read
    QStringList content; // empty when the file cannot be read
};

DatabaseDump DumpDatabase(const QString& path);

// The content of every project file of a folder (".prj", ".eqm", ".mtl", "STEP_<id>.STP") by name.
using ProjectSnapshot = QMap<QString, QStringList>;

// The names of the files whose content differs, or that only one of the snapshots has.
QStringList DifferingFiles(const ProjectSnapshot& left, const ProjectSnapshot& right);
// A file that fails its integrity check fails the running test.
ProjectSnapshot TakeSnapshot(const QString& projectDir);
// What a completed save of the revision writes: the revision applied to copies of the files in the
// scratch folder.
ProjectSnapshot ExpectedAfterRevision(const QString& projectDir, const QString& scratchDir, int revision);
// The same after several revisions applied one after the other.
ProjectSnapshot ExpectedAfterRevisions(const QString& projectDir, const QString& scratchDir,
                                       const QList<int>& revisions);

class FakeAppContext;
// Writes the generated Demo project into projectDir and makes the language database the default
// template of app's file set; a failure fails the running test.
void WriteDemoProject(FakeAppContext& app, const QString& projectDir);
