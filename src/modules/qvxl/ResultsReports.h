#pragma once
// The sheets of the reports read from results files: the case comparison (a column per step) and a
// run's Summary, Schedule and Remarks.

#include "modules/qvxl/ReportWorkbook.h"

class CResultsDatabase;

struct CaseColumn {
    QString name; // "name (version)"
    long stepID = 0;
    CResultsDatabase* results = nullptr;
};

// Rows: the step, its run summary, and the counts of its operations, errors and warnings.
ReportSheet CaseCompareSheet(const QList<CaseColumn>& columns);

// stepID -1: every step's rows in the file (a process or plan); else that step's.
QList<ReportSheet> RunReportSheets(const QString& title, const QString& name, CResultsDatabase& results,
                                   long stepID);
