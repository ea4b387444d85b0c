#include "automation/QVOperations.h"

const CAutomationMemberTable& CQVOperations::Members() const
{
    static const CAutomationMemberTable table = [] {
        MemberTableBuilder<CQVOperations> b(QStringLiteral("CQVOperations"));
        AddCountMember(b);
        b.method("Add", VT_DISPATCH, {VT_I4, VT_I4, VT_I4, VT_VARIANT}, WithUnusedNames({"operationType", "model"}, 4),
                 2, [](CQVOperations& c, const AutomationArgs& a) {
                     auto operation = CQVOperation::Create(a[0].longValue(), a[1].longValue());
                     c.Append(operation);
                     return AutObject(operation);
                 });
        AddItemMember(b);
        AddRemoveAtMember(b);
        AddNullParentMember(b);
        AddNewEnumMember(b);
        return b.build();
    }();
    return table;
}
