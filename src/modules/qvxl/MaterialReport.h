#pragma once
// The material and utility data reports: a row per id of the id table in the materials working
// copy (TempMaterialIDTable or TempUtilityIDTable), in the table's order: name, CAS code, phase, and
// the report's property (molecular weight, property 1; utility, property 469) with its unit. The
// material report of one step adds the amount in kg the step's recipe charges of each material.

#include "modules/qvxl/ReportWorkbook.h"

#include <QHash>

class CDaoDatabase;

// step: the chosen step's database, for the amounts (material report only); null for the project.
// Raises CDaoException when the id table or the material tables cannot be read.
ReportSheet MaterialReportSheet(CDaoDatabase& materials, bool utilities, CDaoDatabase* step = nullptr);

// Per material id, the kg the step's operations add of it, as a run charges them: a Charge operation
// its stored amount, else its type's default; a reaction operation naming the material its stored
// amount; a negative amount counts as 0. A material nothing adds has no entry, nor has one that a
// charge adds by volume alone.
QHash<long, double> StepMaterialAmounts(CDaoDatabase& step);
