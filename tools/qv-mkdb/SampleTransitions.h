#pragma once
// The transitions a sample ships with: each step's unit-procedure and operation transitions and
// each process's step transitions, built from the written files by the program's own builder, as
// a saved project holds them after its runs.

#include <QList>
#include <QString>

// Builds them in the project <folder>/<name>.prj and its step files; false with a description.
bool BuildSampleTransitions(const QString& folder, const QString& name, const QList<long>& stepIDs,
                            const QList<long>& processIDs, QString* error);
