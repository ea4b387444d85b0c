#pragma once
// A parameter group of an operation and its fields.

#include "automation/AutomationObject.h"

class CQVFields;

class CQVGroup : public CAutomationObject {
public:
    explicit CQVGroup(long groupType) : m_groupType(groupType) {}
    static std::shared_ptr<CQVGroup> Create(long groupType);
    const CAutomationMemberTable& Members() const override;
    long PathElementID() const override { return m_groupID; }
    void Detach() override;
    const std::shared_ptr<CQVFields>& Fields() const { return m_fields; }

    long m_groupType;
    long m_groupIndex = -1;
    long m_sequenceNumber = -1;
    long m_groupID = -1; // the database's, for finding the group again

private:
    std::shared_ptr<CQVFields> m_fields;
};
