#include "automation/QVLineItem.h"

using V = CAutomationVariant;

const CAutomationMemberTable& CQVLineItem::Members() const
{
    static const CAutomationMemberTable table = [] {
        MemberTableBuilder<CQVLineItem> b(QStringLiteral("CQVLineItem"));
        const auto emptyText = [](CQVLineItem&) { return V::Text(QString()); };
        const auto zero = [](CQVLineItem&) { return V::Double(0.0); };
        for (const char* name : {"ProcessName", "ProcessVersion", "StepName", "StepVersion"})
            b.ignoredPut(QString::fromLatin1(name), VT_BSTR, emptyText);
        b.ignoredPut("Quantity", VT_R8, zero);
        b.ignoredPut("QuantityUOM", VT_BSTR, emptyText);
        b.ignoredPut("Index", VT_I4, [](CQVLineItem&) { return V::Long(0); });
        b.ignoredPut("BatchOverlap", VT_BOOL, [](CQVLineItem&) { return V::Bool(true); });
        b.ignoredPut("EarliestStartDateTime", VT_VARIANT, [](CQVLineItem&) { return V(); });
        b.ignoredPut("TimeInterval", VT_R8, zero);
        b.ignoredPut("TimeIntervalUOM", VT_BSTR, emptyText);
        b.method("Parent", VT_DISPATCH, [](CQVLineItem&, const AutomationArgs&) { return AutObject(nullptr); });
        return b.build();
    }();
    return table;
}
