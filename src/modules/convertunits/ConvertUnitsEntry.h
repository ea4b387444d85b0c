#pragma once
// The unit-conversion module: re-expresses a step's stored quantities in another unit-of-measure
// set. It writes on the step's open working copy, inside the caller's transaction when one is open,
// and throws CDaoException on failure.

class ConvertUnitsEntry {
public:
    void convertUnits(unsigned long stepID, long uomSetID);
};
