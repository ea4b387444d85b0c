#include "modules/convertunits/ConvertUnitsEntry.h"

// The conversion itself is not built yet: a call leaves the step as it is.
void ConvertUnitsEntry::convertUnits(unsigned long /*stepID*/, long /*uomSetID*/) {}
