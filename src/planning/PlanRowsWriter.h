#pragma once
// The end of a plan run: the plan's old detail and summary rows replaced by those of every
// requirement that has batches, in one transaction on the project database; then the report
// files, only after the commit.

#include <QList>
#include <functional>

class PlanRequirementCalculator;

// Writes the plan's report files after the rows committed; false when one could not be written.
using PlanReportFilesWriter = std::function<bool()>;

// False, with the database's description shown and the old rows kept, when a write fails; false
// also when the report files fail. "Could not find the Start step in process." shows after the
// commit for each process requirement without a start.
bool WritePlanCalculationRows(long planID, const QList<PlanRequirementCalculator*>& calculators,
                              const PlanReportFilesWriter& writeReportFiles = {});
