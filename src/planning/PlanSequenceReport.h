#pragma once
// The plan sequence file: one left-aligned line per batch of the plan in run order, with its step,
// overlap and facility.

#include "planning/PlanReportRows.h"

class CPlanReportStream;

void WritePlanSequence(CPlanReportStream& out, const QList<PlanSequenceRow>& rows);
