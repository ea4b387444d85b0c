#pragma once
// The operations a results file scheduled, each with what the schedule window shows of it: its
// recipe number and label, its unit procedure and vessel, its step and batch, its remarks and
// whether a breakpoint sits on its recipe line. Names come from the open project; a step whose
// database cannot be read still shows its operations by id.

#include "foundation/db/schema/ResultsDatabase.h"

#include <QList>
#include <QString>

enum class ScheduleKind { Step, Process, Plan };

struct ScheduleEntry {
    long stepID = 0;
    long batchNumber = 0;
    long operationID = 0;
    long unitProcedureID = 0;
    long equipmentID = 0;
    int recipeOrder = 0;   // the unit procedure's place in its recipe
    QString stepName;      // "Coupling (1.0)"
    QString label;         // "1.3."
    QString name;          // "Charge"
    QString unitProcedure; // "1. Reaction in R-101"
    QString vesselTag;     // the unit procedure's vessel, else the equipment the run used
    QString equipmentTag;  // the equipment the run used
    double start = 0;      // seconds from the start of the run
    double end = 0;
    RemarkSeverity severity = RemarkSeverity::None;
    QStringList remarks;
    bool breakpoint = false;
    bool hold = false; // a transfer's hold on the vessel it fills (a plan's); not an operation

    QString Caption() const { return (label + QLatin1Char(' ') + name).trimmed(); }
};

struct ScheduleSource {
    ScheduleKind kind = ScheduleKind::Step;
    long id = -1;
    QString fileName; // "QVSTEP_12.mdb"
};

// The schedule of that results file in the project folder, by start time; empty when the file is
// missing, unreadable or schedules nothing. Times lie within +-1e9 s (beyond: at that bound). A
// transfer's hold on the vessel it fills is an entry of that vessel and unit procedure, named
// "<transfer> (filling)".
QList<ScheduleEntry> ReadScheduleEntries(const QString& projectDir, const QString& fileName);

// "QVSTEP_<id>.mdb" and the like for that kind and id.
QString ScheduleResultsFileName(ScheduleKind kind, long id);
// Hours and minutes from the start: 5400 s -> "1:30", 36000 s -> "10:00". A time the run left
// unset (1e35 or more) or not a number is "", one before the start "0:00".
QString FormatScheduleTime(double seconds);
