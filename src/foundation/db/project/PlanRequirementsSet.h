#pragma once
// [QryPlanRequirementsForPlanID]: the requirements of a plan (or of every plan) in the order they
// were entered; written to [PlanRequirements], whose RequirementID the database assigns.

#include "foundation/db/recordsets/DaoRecordset.h"

class CPlanRequirementsSet : public CDaoRecordset {
public:
    CPlanRequirementsSet() : CDaoRecordset(Definition()) {}
    // The rows of one plan; -1: every row.
    bool OpenSet(long planID = -1);
    void CloseSet() { CDaoRecordset::CloseSet(); }
    static const DaoRecordsetDef& Definition();
};
