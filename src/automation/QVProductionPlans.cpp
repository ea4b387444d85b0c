#include "automation/QVProductionPlans.h"

const CAutomationMemberTable& CQVProductionPlans::Members() const
{
    static const CAutomationMemberTable table = [] {
        MemberTableBuilder<CQVProductionPlans> b(QStringLiteral("CQVProductionPlans"));
        AddCountMember(b);
        b.method("Add", VT_DISPATCH, {VT_BSTR, VT_VARIANT, VT_I4, VT_BSTR}, WithUnusedNames({"name", "start"}, 4), 2,
                 [](CQVProductionPlans& c, const AutomationArgs& a) { return c.Add(a[0].text(), a[1]); });
        AddItemMember(b);
        b.method("Remove", VT_DISPATCH, {VT_VARIANT}, {"key"},
                 [](CQVProductionPlans& c, const AutomationArgs& a) { return c.Remove(a[0]); });
        AddNullParentMember(b);
        b.method("GetProductionPlan", VT_DISPATCH, {VT_BSTR}, {"name"},
                 [](CQVProductionPlans& c, const AutomationArgs& a) { return AutObject(c.GetProductionPlan(a[0].text())); });
        AddNewEnumMember(b);
        return b.build();
    }();
    return table;
}

CAutomationVariant CQVProductionPlans::Add(const QString& name, const CAutomationVariant& start)
{
    if (start.type() != VT_DATE)
        throw CAutomationException(AutomationError::InvalidArgument, QStringLiteral("Please use date for StartDateTime!"));
    return Appended(CQVProductionPlan::Create(name, start.doubleValue()));
}

CAutomationVariant CQVProductionPlans::Remove(const CAutomationVariant& key)
{
    if (key.type() == VT_I4)
        return RemoveValue(key.longValue());
    if (key.type() != VT_BSTR)
        throw CAutomationException(AutomationError::InvalidArgument,
                                   QStringLiteral("Please use string or long for FieldType!"));
    if (key.text().isEmpty())
        return AutObject(nullptr);
    return RemoveValue(IndexOf([&](const CQVProductionPlan& p) {
        return p.m_name.compare(key.text(), Qt::CaseInsensitive) == 0;
    }));
}

std::shared_ptr<CQVProductionPlan> CQVProductionPlans::GetProductionPlan(const QString& name) const
{
    return FindFirst([&](const CQVProductionPlan& p) { return p.m_name.compare(name, Qt::CaseInsensitive) == 0; });
}
