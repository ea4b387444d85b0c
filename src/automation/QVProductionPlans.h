#pragma once
// The production plans of the open project.

#include "automation/AutomationCollection.h"
#include "automation/QVProductionPlan.h"

class CQVProductionPlans : public CAutomationCollection<CQVProductionPlan> {
public:
    const CAutomationMemberTable& Members() const override;
    CAutomationVariant Add(const QString& name, const CAutomationVariant& start);
    // A name (the first plan of that name) or a 0-based index.
    CAutomationVariant Remove(const CAutomationVariant& key);
    std::shared_ptr<CQVProductionPlan> GetProductionPlan(const QString& name) const;
};
