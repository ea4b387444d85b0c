#include "automation/QVProcesses.h"

const CAutomationMemberTable& CQVProcesses::Members() const
{
    static const CAutomationMemberTable table = [] {
        MemberTableBuilder<CQVProcesses> b(QStringLiteral("CQVProcesses"));
        AddCountMember(b);
        b.method("Add", VT_DISPATCH,
                 {VT_BSTR, VT_BSTR, VT_VARIANT, VT_VARIANT, VT_I4, VT_VARIANT, VT_VARIANT, VT_VARIANT},
                 WithUnusedNames({"name", "version"}, 8), 2, [](CQVProcesses& c, const AutomationArgs& a) {
                     auto process = CQVProcess::Create(a[0].text(), a[1].text());
                     process->SetCreatingCollection(c.shared_from_this());
                     c.Append(process);
                     return AutObject(process);
                 });
        AddItemMember(b);
        b.method("Remove", VT_DISPATCH, {VT_BSTR, VT_BSTR}, {"name", "version"},
                 [](CQVProcesses& c, const AutomationArgs& a) {
                     return AutObject(c.RemoveAt(c.IndexOfProcess(a[0].text(), a[1].text())));
                 });
        b.method("Parent", VT_DISPATCH, [](CQVProcesses& c, const AutomationArgs&) { return AutObject(c.Owner()); });
        b.method("GetProcess", VT_DISPATCH, {VT_BSTR, VT_BSTR}, {"name", "version"},
                 [](CQVProcesses& c, const AutomationArgs& a) {
                     return AutObject(c.GetProcess(a[0].text(), a[1].text()));
                 });
        AddNewEnumMember(b);
        return b.build();
    }();
    return table;
}

long CQVProcesses::IndexOfProcess(const QString& name, const QString& version) const
{
    return IndexOf([&](const CQVProcess& p) {
        return p.m_name.compare(name, Qt::CaseInsensitive) == 0 && p.m_version.compare(version, Qt::CaseInsensitive) == 0;
    });
}

std::shared_ptr<CQVProcess> CQVProcesses::GetProcess(const QString& name, const QString& version) const
{
    return Item(IndexOfProcess(name, version));
}
