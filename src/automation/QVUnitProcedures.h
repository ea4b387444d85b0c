#pragma once
// The unit procedures of a step.

#include "automation/AutomationCollection.h"
#include "automation/QVUnitProcedure.h"

class CQVUnitProcedures : public CAutomationCollection<CQVUnitProcedure> {
public:
    const CAutomationMemberTable& Members() const override;
};
