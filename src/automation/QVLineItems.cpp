#include "automation/QVLineItems.h"

const CAutomationMemberTable& CQVLineItems::Members() const
{
    static const CAutomationMemberTable table = [] {
        MemberTableBuilder<CQVLineItems> b(QStringLiteral("CQVLineItems"));
        AddCountMember(b);
        b.method("Add", VT_DISPATCH,
                 {VT_BSTR, VT_BSTR, VT_BSTR, VT_BSTR, VT_R8, VT_BSTR, VT_I4, VT_VARIANT, VT_VARIANT, VT_VARIANT,
                  VT_VARIANT},
                 WithUnusedNames({"processName", "processVersion", "stepName", "stepVersion"}, 11), 4,
                 [](CQVLineItems& c, const AutomationArgs& a) {
                     auto item = std::make_shared<CQVLineItem>(a[0].text(), a[1].text(), a[2].text(), a[3].text());
                     c.Append(item);
                     return AutObject(item);
                 });
        AddItemMember(b);
        AddRemoveAtMember(b);
        AddNullParentMember(b);
        AddNewEnumMember(b);
        return b.build();
    }();
    return table;
}
