#pragma once
// The ranges of a field.

#include "automation/AutomationCollection.h"
#include "automation/QVRange.h"

class CQVRanges : public CAutomationCollection<CQVRange> {
public:
    const CAutomationMemberTable& Members() const override;
    CAutomationVariant Add(const CAutomationVariant& rangeType, long category);
    std::shared_ptr<CQVRange> GetRange(long type, long category) const;
};
