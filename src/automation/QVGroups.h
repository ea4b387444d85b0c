#pragma once
// The parameter groups of an operation.

#include "automation/AutomationCollection.h"
#include "automation/QVGroup.h"

class CQVGroups : public CAutomationCollection<CQVGroup> {
public:
    const CAutomationMemberTable& Members() const override;
    std::shared_ptr<CQVGroup> GetGroup(long type, long index, long sequence) const;
};
