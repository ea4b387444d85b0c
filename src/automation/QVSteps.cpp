#include "automation/QVSteps.h"

namespace {
// Name and version, five values, a number and nine values more; only the first two are used.
QList<VarType> StepAddParameters()
{
    QList<VarType> params{VT_BSTR, VT_BSTR};
    params << QList<VarType>(5, VT_VARIANT) << VT_I4 << QList<VarType>(9, VT_VARIANT);
    return params;
}
} // namespace

const CAutomationMemberTable& CQVSteps::Members() const
{
    static const CAutomationMemberTable table = [] {
        MemberTableBuilder<CQVSteps> b(QStringLiteral("CQVSteps"));
        AddCountMember(b);
        b.method("Add", VT_DISPATCH, StepAddParameters(), WithUnusedNames({"name", "version"}, 17), 2,
                 [](CQVSteps& c, const AutomationArgs& a) {
                     auto step = CQVStep::Create(a[0].text(), a[1].text());
                     c.Append(step);
                     return AutObject(step);
                 });
        AddItemMember(b);
        b.method("Remove", VT_DISPATCH, {VT_BSTR, VT_BSTR}, {"name", "version"},
                 [](CQVSteps& c, const AutomationArgs& a) {
                     return AutObject(c.RemoveAt(c.IndexOfStep(a[0].text(), a[1].text())));
                 });
        b.method("Parent", VT_DISPATCH, [](CQVSteps& c, const AutomationArgs&) { return AutObject(c.Owner()); });
        b.method("GetStep", VT_DISPATCH, {VT_BSTR, VT_BSTR}, {"name", "version"},
                 [](CQVSteps& c, const AutomationArgs& a) { return AutObject(c.GetStep(a[0].text(), a[1].text())); });
        AddNewEnumMember(b);
        return b.build();
    }();
    return table;
}

long CQVSteps::IndexOfStep(const QString& name, const QString& version) const
{
    return IndexOf([&](const CQVStep& s) {
        return s.m_name.compare(name, Qt::CaseInsensitive) == 0 && s.m_version.compare(version, Qt::CaseInsensitive) == 0;
    });
}

std::shared_ptr<CQVStep> CQVSteps::GetStep(const QString& name, const QString& version) const
{
    return Item(IndexOfStep(name, version));
}
