#pragma once
// The line items of a plan; only Add makes them.

#include "automation/AutomationCollection.h"
#include "automation/QVLineItem.h"

class CQVLineItems : public CAutomationCollection<CQVLineItem> {
public:
    const CAutomationMemberTable& Members() const override;
};
