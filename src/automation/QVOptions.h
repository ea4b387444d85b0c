#pragma once
// The options collection: empty; nothing creates one for a script.

#include "automation/AutomationObject.h"

class CQVOptions : public CAutomationObject {
public:
    const CAutomationMemberTable& Members() const override;
};
