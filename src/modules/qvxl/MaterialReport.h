#pragma once
// The material and utility data reports: a row per id of the id table in the materials working
// copy (TempMaterialIDTable or TempUtilityIDTable), in the table's order: name, CAS code, phase, and
// the report's property (molecular weight, property 1; utility, property 469) with its unit.

#include "modules/qvxl/ReportWorkbook.h"

class CDaoDatabase;

// Raises CDaoException when the id table or the material tables cannot be read.
ReportSheet MaterialReportSheet(CDaoDatabase& materials, bool utilities);
