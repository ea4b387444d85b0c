#pragma once
// What the plan report files print, read from a calculated plan: a requirement's block from its
// calculator (its batch counts, those its detail rows run) and
// the sequence lines from the plan's detail rows with their steps' names and facilities.

#include "planning/PlanReportRows.h"

class PlanRequirementCalculator;

PlanReportRequirement ReportRequirementOf(const PlanRequirementCalculator& calculator);
// One line per [ProductionPlanDetail] row of the plan in run order. Raises CDaoException.
QList<PlanSequenceRow> ReadPlanSequenceRows(long planID);
// Both files of the plan after its rows committed: the blocks from the calculators as the detail
// rows left their counts, the sequence from the detail rows. False (after the message) when the
// rows could not be read or a file could not be written.
bool WritePlanReportFilesOf(long planID, const QList<PlanRequirementCalculator*>& calculators);
