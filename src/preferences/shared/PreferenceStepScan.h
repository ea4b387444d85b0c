#pragma once
// The steps whose databases the usage checks of the preference dialogs read.

#include <QList>
#include <QString>

struct ProjectStepEntry {
    long stepID = 0;
    QString name;
};

// The steps of QryStepInProject, each once, in step id order; false when it cannot be read.
bool StepsInProject(QList<long>& stepIDs);
// The rows of ProjectStep but the one named "START" (in any letter case); false when the table
// cannot be read.
bool ProjectStepsWithoutStart(QList<ProjectStepEntry>& steps);
