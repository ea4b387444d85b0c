#include "automation/QVGroups.h"

namespace {
bool groupMatches(const CQVGroup& g, long type, long index, long sequence)
{
    if (g.m_groupType != type)
        return false;
    if (index == -1)
        return sequence == -1 || g.m_sequenceNumber == sequence;
    return g.m_groupIndex == index || (sequence != -1 && g.m_sequenceNumber == sequence);
}
} // namespace

const CAutomationMemberTable& CQVGroups::Members() const
{
    static const CAutomationMemberTable table = [] {
        MemberTableBuilder<CQVGroups> b(QStringLiteral("CQVGroups"));
        AddCountMember(b);
        b.method("Add", VT_DISPATCH, {VT_I4, VT_I4, VT_VARIANT, VT_VARIANT}, WithUnusedNames({"groupType"}, 4), 1,
                 [](CQVGroups& c, const AutomationArgs& a) {
                     auto group = CQVGroup::Create(a[0].longValue());
                     c.Append(group);
                     return AutObject(group);
                 });
        AddItemMember(b);
        AddRemoveAtMember(b);
        AddNullParentMember(b);
        b.method("GetGroup", VT_DISPATCH, {VT_I4, VT_I4, VT_I4}, {"type", "index", "sequence"},
                 [](CQVGroups& c, const AutomationArgs& a) {
                     return AutObject(c.GetGroup(a[0].longValue(), a[1].longValue(), a[2].longValue()));
                 });
        AddNewEnumMember(b);
        return b.build();
    }();
    return table;
}

std::shared_ptr<CQVGroup> CQVGroups::GetGroup(long type, long index, long sequence) const
{
    return FindFirst([&](const CQVGroup& g) { return groupMatches(g, type, index, sequence); });
}
