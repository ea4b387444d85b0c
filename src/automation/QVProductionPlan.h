#pragma once
// A production plan of the project, its line items, and the frame's simulation, report and chart
// for it.

#include "automation/AutomationObject.h"

class CQVLineItems;

class CQVProductionPlan : public CAutomationObject {
public:
    CQVProductionPlan(const QString& name, double startDateTime) : m_name(name), m_startDateTime(startDateTime) {}
    static std::shared_ptr<CQVProductionPlan> Create(const QString& name, double startDateTime);
    const CAutomationMemberTable& Members() const override;
    long PathElementID() const override { return m_planID; }
    void Detach() override;
    const std::shared_ptr<CQVLineItems>& LineItems() const { return m_lineItems; }
    // A date, or a reference to one, is stored; any other value is ignored.
    void PutStartDateTime(const CAutomationVariant& value);

    QString m_name;
    QString m_outputUOM;
    double m_startDateTime;
    long m_planID = -1;

private:
    std::shared_ptr<CQVLineItems> m_lineItems;
};
