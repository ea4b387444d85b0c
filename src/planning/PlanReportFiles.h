#pragma once
// The two report files of a plan run, written into the project folder. A file that cannot be
// written shows "File %s could not be opened!" with its name and keeps its older version; the other
// file is still written, and the call answers false.

#include "planning/PlanReportRows.h"

// "QVPLAN_<plan id>.FAC" and "PlanSequence.txt".
QString PlanFactorFileName(long planID);
QString PlanSequenceFileName();

// The header, then the block of every requirement with batches, in the given order.
bool WritePlanFactorFile(long planID, const QList<PlanReportRequirement>& requirements);
bool WritePlanSequenceFile(const QList<PlanSequenceRow>& rows);
// Both files; false when either could not be written.
bool WritePlanReportFiles(long planID, const QList<PlanReportRequirement>& requirements,
                          const QList<PlanSequenceRow>& rows);
