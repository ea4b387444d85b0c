#include "automation/QVFields.h"

#include "automation/TypeCode.h"

const CAutomationMemberTable& CQVFields::Members() const
{
    static const CAutomationMemberTable table = [] {
        MemberTableBuilder<CQVFields> b(QStringLiteral("CQVFields"));
        AddCountMember(b);
        b.method("Add", VT_DISPATCH, {VT_VARIANT, VT_VARIANT, VT_I4, VT_VARIANT, VT_VARIANT},
                 WithUnusedNames({"fieldType"}, 5), 1, [](CQVFields& c, const AutomationArgs& a) { return c.Add(a[0]); });
        AddItemMember(b);
        AddRemoveAtMember(b);
        AddNullParentMember(b);
        b.method("GetField", VT_DISPATCH, {VT_I4, VT_I4}, {"type", "subGroupIndex"},
                 [](CQVFields& c, const AutomationArgs& a) {
                     return AutObject(c.GetField(a[0].longValue(), a[1].longValue()));
                 });
        AddNewEnumMember(b);
        return b.build();
    }();
    return table;
}

CAutomationVariant CQVFields::Add(const CAutomationVariant& fieldType)
{
    const long code = TypeCodeArgument(fieldType, QStringLiteral("Please use string or long for FieldType!"));
    return Appended(CQVField::Create(-1, code));
}

std::shared_ptr<CQVField> CQVFields::GetField(long type, long subGroupIndex) const
{
    return FindFirst([&](const CQVField& f) {
        return f.m_fieldType == type && (subGroupIndex == -1 || f.m_subGroupIndex == subGroupIndex);
    });
}
