#include "automation/QVRanges.h"

#include "automation/TypeCode.h"

const CAutomationMemberTable& CQVRanges::Members() const
{
    static const CAutomationMemberTable table = [] {
        MemberTableBuilder<CQVRanges> b(QStringLiteral("CQVRanges"));
        AddCountMember(b);
        b.method("Add", VT_DISPATCH, {VT_VARIANT, VT_I4, VT_I4, VT_R8, VT_BSTR, VT_R8, VT_BSTR},
                 WithUnusedNames({"rangeType", "category"}, 7), 2, [](CQVRanges& c, const AutomationArgs& a) { return c.Add(a[0], a[1].longValue()); });
        AddItemMember(b);
        AddRemoveAtMember(b);
        AddNullParentMember(b);
        b.method("GetRange", VT_DISPATCH, {VT_I4, VT_I4}, {"type", "category"},
                 [](CQVRanges& c, const AutomationArgs& a) {
                     return AutObject(c.GetRange(a[0].longValue(), a[1].longValue()));
                 });
        AddNewEnumMember(b);
        return b.build();
    }();
    return table;
}

CAutomationVariant CQVRanges::Add(const CAutomationVariant& rangeType, long category)
{
    const long code = TypeCodeArgument(rangeType, QStringLiteral("Please use string or long for RangeType!"));
    return Appended(std::make_shared<CQVRange>(code, category));
}

std::shared_ptr<CQVRange> CQVRanges::GetRange(long type, long category) const
{
    return FindFirst([&](const CQVRange& r) { return r.m_rangeType == type && r.m_rangeCategory == category; });
}
