#pragma once
// The schedule laid out as chart rows: for a step a row per unit procedure (titled with its
// vessel), for a process the same under a heading per step, for a plan a row per equipment item
// with a bar per batch. A bar keeps the entries it stands for, so a selection can find it.

#include "results/ScheduleEntries.h"

#include <QList>
#include <QString>

struct ScheduleBar {
    double start = 0;
    double end = 0;
    QString caption; // "1.3. Charge", or "Coupling (1.0) #2" in a plan
    RemarkSeverity severity = RemarkSeverity::None;
    bool breakpoint = false;
    QList<int> entries; // indexes into the chart's entries
    int lane = 0;       // bars that overlap in time (parallel operations) lie in lanes
};

struct ScheduleRow {
    QString title;        // "1. Reaction in R-101 [R-101]"
    bool heading = false; // a process's step: a title without bars
    QList<ScheduleBar> bars;
    int lanes = 1;
};

struct ScheduleChart {
    ScheduleKind kind = ScheduleKind::Step;
    QList<ScheduleEntry> entries;
    QList<ScheduleRow> rows;
    double span = 0; // seconds from 0 to the last end

    // The row and bar of an entry; false when no bar shows it.
    bool FindEntry(int entry, int* row, int* bar) const;
};

ScheduleChart LayOutSchedule(ScheduleKind kind, QList<ScheduleEntry> entries);
