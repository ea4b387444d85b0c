#pragma once
// The fields of a parameter group.

#include "automation/AutomationCollection.h"
#include "automation/QVField.h"

class CQVFields : public CAutomationCollection<CQVField> {
public:
    const CAutomationMemberTable& Members() const override;
    CAutomationVariant Add(const CAutomationVariant& fieldType);
    // subGroupIndex -1 matches any sub-group.
    std::shared_ptr<CQVField> GetField(long type, long subGroupIndex) const;
};
