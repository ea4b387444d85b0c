#include "automation/QVOptions.h"

using V = CAutomationVariant;

const CAutomationMemberTable& CQVOptions::Members() const
{
    static const CAutomationMemberTable table =
        MemberTableBuilder<CQVOptions>(QStringLiteral("CQVOptions"))
            .ignoredPut("Count", VT_I4, [](CQVOptions&) { return V::Long(0); })
            .method("Item", VT_DISPATCH, {VT_I4}, {"index"},
                    [](CQVOptions&, const AutomationArgs&) { return AutObject(nullptr); })
            .method("Parent", VT_DISPATCH, [](CQVOptions&, const AutomationArgs&) { return AutObject(nullptr); })
            .build();
    return table;
}
