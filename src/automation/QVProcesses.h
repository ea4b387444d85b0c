#pragma once
// The processes of the open project; its Parent is the application object.

#include "automation/AutomationCollection.h"
#include "automation/QVProcess.h"

class CQVProcesses : public CAutomationCollection<CQVProcess> {
public:
    const CAutomationMemberTable& Members() const override;
    std::shared_ptr<CQVProcess> GetProcess(const QString& name, const QString& version) const;
    long IndexOfProcess(const QString& name, const QString& version) const;
};
