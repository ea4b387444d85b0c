#pragma once
// Convert Units of the Tools menu: the context step's recipe re-expressed in another
// unit-of-measure set. The conversion and the step's new input set are one transaction on the
// step's registered connection; only after its commit is the recipe text regenerated, the step's
// recipe views reloaded and the project marked modified.

#include <functional>

class CConvertUnitsDialog;

// Runs the dialog and answers its result; the program runs it modally.
using ConvertUnitsDialogRunner = std::function<int(CConvertUnitsDialog&)>;

// The command's handler: the step of the current context, if any.
void OnConvertUnits();
// Nothing for a step without a Step row or without an input set; otherwise the dialog, and after
// OK with another set the conversion. True when the step was converted.
bool ConvertUnitsOfStep(long stepID, const ConvertUnitsDialogRunner& run = {});
// False after the failure's description; nothing changed then.
bool ConvertStepUnits(long stepID, long setID);
