#include "automation/QVUnitProcedures.h"

// This collection lists Item before Add and has no Parent.
const CAutomationMemberTable& CQVUnitProcedures::Members() const
{
    static const CAutomationMemberTable table = [] {
        MemberTableBuilder<CQVUnitProcedures> b(QStringLiteral("CQVUnitProcedures"));
        AddCountMember(b);
        AddItemMember(b);
        AddRemoveAtMember(b);
        b.method("Add", VT_DISPATCH, {VT_BSTR, VT_VARIANT, VT_I4, VT_VARIANT}, WithUnusedNames({"name"}, 4), 1,
                 [](CQVUnitProcedures& c, const AutomationArgs& a) {
                     auto unitProcedure = CQVUnitProcedure::Create(a[0].text(), -1);
                     c.Append(unitProcedure);
                     return AutObject(unitProcedure);
                 });
        AddNewEnumMember(b);
        return b.build();
    }();
    return table;
}
