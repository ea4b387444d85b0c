#pragma once
// The product-factor report: its header and one block per requirement.

#include "planning/PlanReportRows.h"

class CPlanReportStream;

void WritePlanFactorHeader(CPlanReportStream& out);
// One requirement's block: the amount asked, then each step with batches, its batch size and count
// and the factor and amount of every intermediate it has.
void WritePlanFactorReport(CPlanReportStream& out, const PlanReportRequirement& requirement);
