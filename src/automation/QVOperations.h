#pragma once
// The operations of a unit procedure.

#include "automation/AutomationCollection.h"
#include "automation/QVOperation.h"

class CQVOperations : public CAutomationCollection<CQVOperation> {
public:
    const CAutomationMemberTable& Members() const override;
};
