#pragma once
// The steps of a process; its Parent is that process.

#include "automation/AutomationCollection.h"
#include "automation/QVStep.h"

class CQVSteps : public CAutomationCollection<CQVStep> {
public:
    const CAutomationMemberTable& Members() const override;
    std::shared_ptr<CQVStep> GetStep(const QString& name, const QString& version) const;
    long IndexOfStep(const QString& name, const QString& version) const;
};
