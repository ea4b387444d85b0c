#pragma once
// [DesignSpecifications]: the design targets of one step in its step database. Null reads
// as not set: 1e35 for the numbers, -1 for the facility, "" for the texts. Writes raise
// CDaoException.

#include "foundation/db/recordsets/DaoRecordset.h"

// The values of one row, as the design dialog and the engine use them.
struct DesignTargets {
    double amount = 1e35;
    QString amountUOM;
    double timeHorizon = 1e35;
    QString timeHorizonUOM;
    long facilityID = -1; // 0: the whole equipment catalogue
    QString facilityName;
    QString heuristic;

    bool operator==(const DesignTargets&) const = default;
};

class CDesignSpecsSet : public CDaoRecordset {
public:
    CDesignSpecsSet();
    // True when open or opened on the step's working copy (with or without its row).
    bool OpenSet(long stepID);
    void CloseSet() { CDaoRecordset::CloseSet(); }
    static const DaoRecordsetDef& Definition();

    // The current row's values; defaults without a row.
    DesignTargets Targets() const;
    // Writes the values into the edit buffer (after Edit or AddNew).
    void SetTargets(const DesignTargets& targets);
};
