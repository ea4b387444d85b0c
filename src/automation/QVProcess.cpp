#include "automation/QVProcess.h"

#include "automation/AutomationOutcome.h"
#include "automation/QVSteps.h"

using V = CAutomationVariant;

std::shared_ptr<CQVProcess> CQVProcess::Create(const QString& name, const QString& version)
{
    auto process = std::make_shared<CQVProcess>(name, version);
    process->m_steps = std::make_shared<CQVSteps>();
    process->m_steps->SetOwner(process);
    return process;
}

const CAutomationMemberTable& CQVProcess::Members() const
{
    static const CAutomationMemberTable table = [] {
        MemberTableBuilder<CQVProcess> b(QStringLiteral("CQVProcess"));
        b.property("Name", VT_BSTR, [](CQVProcess& p) { return V::Text(p.m_name); });
        b.property("Version", VT_BSTR, [](CQVProcess& p) { return V::Text(p.m_version); });
        b.ignoredPut("Index", VT_I4, [](CQVProcess&) { return V::Long(0); });
        b.ignoredPut("KeyRawMaterial", VT_VARIANT, [](CQVProcess&) { return V(); });
        b.ignoredPut("FinalProduct", VT_VARIANT, [](CQVProcess&) { return V(); });
        b.ignoredPut("Description", VT_BSTR, [](CQVProcess&) { return V::Text(QString()); });
        b.ignoredPut("OutputUOM", VT_VARIANT, [](CQVProcess&) { return V(); });
        b.ignoredPut("StartDateTime", VT_VARIANT, [](CQVProcess&) { return V(); });
        b.method("Simulate", VT_I4, [](CQVProcess& p, const AutomationArgs&) {
            RequireDone(GetAutomationFrameServices().AutomationSimulateProcess(p.m_processID, p.DisplayName()));
            return V::Long(1);
        });
        b.method("Steps", VT_DISPATCH, [](CQVProcess& p, const AutomationArgs&) { return AutObject(p.m_steps); });
        b.method("Results", VT_I4, {VT_I4}, {"reportCode"}, [](CQVProcess& p, const AutomationArgs& a) {
            RequireDone(GetAutomationFrameServices().AutomationExcelReport("Process", int(a[0].longValue()),
                                                                           p.m_processID));
            return V::Long(1);
        });
        b.method("Parent", VT_DISPATCH,
                 [](CQVProcess& p, const AutomationArgs&) { return AutObject(p.m_creator.lock()); });
        return b.build();
    }();
    return table;
}

void CQVProcess::Detach()
{
    CAutomationObject::Detach();
    m_steps->Detach();
}
