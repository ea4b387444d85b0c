#include "automation/QVProductionPlan.h"

#include "automation/AutomationOutcome.h"
#include "automation/QVLineItems.h"

using V = CAutomationVariant;

std::shared_ptr<CQVProductionPlan> CQVProductionPlan::Create(const QString& name, double startDateTime)
{
    auto plan = std::make_shared<CQVProductionPlan>(name, startDateTime);
    plan->m_lineItems = std::make_shared<CQVLineItems>();
    plan->m_lineItems->SetOwner(plan);
    return plan;
}

const CAutomationMemberTable& CQVProductionPlan::Members() const
{
    static const CAutomationMemberTable table = [] {
        MemberTableBuilder<CQVProductionPlan> b(QStringLiteral("CQVProductionPlan"));
        b.property("Name", VT_BSTR, [](CQVProductionPlan& p) { return V::Text(p.m_name); },
                   [](CQVProductionPlan& p, const V& v) { p.m_name = v.text(); });
        b.property("StartDateTime", VT_VARIANT, [](CQVProductionPlan& p) { return V::Date(p.m_startDateTime); },
                   [](CQVProductionPlan& p, const V& v) { p.PutStartDateTime(v); });
        b.ignoredPut("Index", VT_I4, [](CQVProductionPlan&) { return V::Long(0); });
        b.property("OutputUOM", VT_BSTR, [](CQVProductionPlan& p) { return V::Text(p.m_outputUOM); },
                   [](CQVProductionPlan& p, const V& v) { p.m_outputUOM = v.text(); });
        b.method("Simulate", VT_BOOL, [](CQVProductionPlan& p, const AutomationArgs&) {
            RequireDone(GetAutomationFrameServices().AutomationSimulatePlan(p.m_planID, p.m_name));
            return V::Bool(true);
        });
        b.method("Results", VT_BOOL, {VT_I4}, {"reportCode"}, [](CQVProductionPlan& p, const AutomationArgs& a) {
            RequireDone(GetAutomationFrameServices().AutomationExcelReport("Plan", int(a[0].longValue()), p.m_planID));
            return V::Bool(true);
        });
        b.method("LineItems", VT_DISPATCH,
                 [](CQVProductionPlan& p, const AutomationArgs&) { return AutObject(p.m_lineItems); });
        b.method("Parent", VT_DISPATCH, [](CQVProductionPlan&, const AutomationArgs&) { return AutObject(nullptr); });
        b.method("ShowGanttChart", VT_EMPTY, [](CQVProductionPlan& p, const AutomationArgs&) {
            RequireDone(GetAutomationFrameServices().AutomationShowGanttChart("Plan", p.m_name, p.m_planID));
            return V();
        });
        return b.build();
    }();
    return table;
}

void CQVProductionPlan::Detach()
{
    CAutomationObject::Detach();
    m_lineItems->Detach();
}

void CQVProductionPlan::PutStartDateTime(const CAutomationVariant& value)
{
    if (value.type() == VT_DATE)
        m_startDateTime = value.doubleValue();
}
