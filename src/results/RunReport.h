#pragma once
// The Run Report command: opens (or brings forward) the schedule window of a simulated step or
// plan in the Gantt kind, titled as the result windows are ("Schedule: <name>",
// "Schedule: Plan - <name>"). Without results nothing opens and the user is told.

#include <QString>

class DocumentHost;
class CRunReportWindow;

struct RunReportTarget {
    bool plan = false; // else a step
    long id = -1;
    QString name; // "Name(Version)" of the step, or the plan's name
};

// The context step when there is one, else the context plan; id -1 when neither.
RunReportTarget ChooseRunReportTarget(long stepID, const QString& stepName, long planID, const QString& planName);

// The window shown, or null (no host, or no results: "There are no results for %s.", shown to
// the user, or kept in *failure for a script).
CRunReportWindow* OpenRunReport(DocumentHost* host, const RunReportTarget& target, QString* failure = nullptr);
