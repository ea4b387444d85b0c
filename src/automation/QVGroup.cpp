#include "automation/QVGroup.h"

#include "automation/QVFields.h"

using V = CAutomationVariant;

std::shared_ptr<CQVGroup> CQVGroup::Create(long groupType)
{
    auto group = std::make_shared<CQVGroup>(groupType);
    group->m_fields = std::make_shared<CQVFields>();
    group->m_fields->SetOwner(group);
    return group;
}

const CAutomationMemberTable& CQVGroup::Members() const
{
    static const CAutomationMemberTable table =
        MemberTableBuilder<CQVGroup>(QStringLiteral("CQVGroup"))
            .property("GroupType", VT_I4, [](CQVGroup& g) { return V::Long(g.m_groupType); },
                      [](CQVGroup& g, const V& v) { g.m_groupType = v.longValue(); })
            .property("GroupIndex", VT_I4, [](CQVGroup& g) { return V::Long(g.m_groupIndex); },
                      [](CQVGroup& g, const V& v) { g.m_groupIndex = v.longValue(); })
            .property("SequenceNumber", VT_I4, [](CQVGroup& g) { return V::Long(g.m_sequenceNumber); },
                      [](CQVGroup& g, const V& v) { g.m_sequenceNumber = v.longValue(); })
            .ignoredPut("Index", VT_I4, [](CQVGroup&) { return V::Long(0); })
            .method("Fields", VT_DISPATCH, [](CQVGroup& g, const AutomationArgs&) { return AutObject(g.m_fields); })
            .method("Parent", VT_DISPATCH, [](CQVGroup&, const AutomationArgs&) { return AutObject(nullptr); })
            .build();
    return table;
}

void CQVGroup::Detach()
{
    CAutomationObject::Detach();
    m_fields->Detach();
}
