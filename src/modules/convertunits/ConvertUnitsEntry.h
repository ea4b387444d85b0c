#pragma once
// The unit-conversion module: re-expresses a step's stored quantities in another unit-of-measure
// set. It writes on the step's open working copy, inside the caller's transaction when one is open,
// and throws CDaoException on failure. Values of the field types whose unit-of-measure kind the set
// names go into the set's unit; unset values and units the table does not know stay as they are.

class ConvertUnitsEntry {
public:
    void convertUnits(unsigned long stepID, long uomSetID);
};
