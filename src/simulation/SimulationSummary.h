#pragma once
// The end-of-simulation message ("Display end-of-simulation message" of the batch simulation
// options). When it is on, each completed user command ends with one information message: a batch
// run, a process or plan run and a scale-up with the cycle time, the batch size in kg and the
// remarks by severity of their results; a design with its batches, batch size, cycle time and
// whether the amount is made in time. One message per command, never per step inside it. In a
// script's call the message box goes to the caller, so the bus sends it as its Message signal.

#include <QString>

class CResultsDatabase;

enum class SummaryKind { Step, Process, Plan };

// "step Coupling (1.0)", "process ...", "plan Weekly"; the id where the item has no row.
QString SummaryItemName(SummaryKind kind, long id);
// The results file of the item's last run in the project folder.
QString SummaryResultsFile(SummaryKind kind, long id);
struct RemarkCounts {
    int errors = 0;
    int warnings = 0;
};
RemarkCounts CountRemarks(CResultsDatabase& results);

// True when the project's BATCH options ask for the message; Null, no row or no project: off.
bool SimulationSummaryWanted();

// The texts, from the results files of the project folder.
QString RunSummaryText(SummaryKind kind, long id);
QString ScaleUpSummaryText(long stepID, double batchSizeKg, double keyInputKg);
QString DesignSummaryText(long stepID);

// Shows the text when the option is on.
void ShowSimulationSummary(const QString& text);
