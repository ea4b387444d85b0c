#pragma once
// Connects the simulation runs to the rest of the program: the steps touched by a changed
// calendar, facility or unit set marked for a new run, and the open schedule and 3-D windows
// brought up to date after a run or retitled after a rename.

#include <QList>
#include <QString>

// Every step of the project in the project's step order; empty when the set cannot be opened.
QList<long> ProjectStepIDs();

enum ResimulationCause { RESIM_CALENDAR = 1, RESIM_FACILITY = 2, RESIM_UNIT_SET = 3 };
// Every step the change touches gets ResetStepSimulation (step, "SimulateOnly").
void MarkStepsForResimulation(int what, long id);

// kind is "QVSTEP", "QVPROC" or "QVPLAN". An empty name re-reads the windows of those results; a
// name retitles them.
void RefreshResultWindows(const QString& kind, long id, const QString& name);
