#pragma once
// New process and step ids. A new id is one above the highest the project has ever had: its
// [Project] counter, the ids of its tables, the result files of the project folder and, for steps,
// the registered step databases and the step files of the project and working-copy folders. So a
// new step never meets a deleted one's open database, step file or results. Beyond the 32-bit
// range an id is drawn at random against the same test.

#include <QList>
#include <QSet>
#include <QString>

class CDaoDatabase;

enum class ProjectCounter { Process, Step };

struct NewIDSources {
    QString projectDir;             // holds the result files and the saved step files
    QString workingCopyDir;         // holds the step working copies; may be empty
    QList<long> registeredStepIDs; // the steps whose databases are open
};

// Raises CDaoException when the project database cannot be read.
long AllocateProjectID(CDaoDatabase& project, ProjectCounter counter, const NewIDSources& sources);
// As many new ids at once, each taken as the one before it had been stored: the sources are read once.
QList<long> AllocateProjectIDs(CDaoDatabase& project, ProjectCounter counter, const NewIDSources& sources, int count);
// The id after highest while that stays within the 32-bit range; beyond it (a file named with an id
// near 2^63 costs nothing to make) an id drawn at random that taken does not hold.
long NextUnusedID(long highest, const QSet<long>& taken);
// Raises the [Project] counter to the id; in the caller's transaction of the rows that use it.
void StoreProjectCounter(CDaoDatabase& project, ProjectCounter counter, long id);
