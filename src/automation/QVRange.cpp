#include "automation/QVRange.h"

#include "automation/AutomationOutcome.h"
#include "automation/QVOperation.h"
#include "recipe/edit/FieldUnits.h"
#include "recipe/edit/NonNegativeValues.h"

using V = CAutomationVariant;

const CAutomationMemberTable& CQVRange::Members() const
{
    static const CAutomationMemberTable table =
        MemberTableBuilder<CQVRange>(QStringLiteral("CQVRange"))
            .property("RangeType", VT_I4, [](CQVRange& r) { return V::Long(r.m_rangeType); })
            .property("RangeCategory", VT_I4, [](CQVRange& r) { return V::Long(r.m_rangeCategory); })
            .property("Index", VT_I4, [](CQVRange&) { return V::Long(0); })
            .property("LoValue", VT_R8, [](CQVRange& r) { return V::Double(r.m_low); },
                      [](CQVRange& r, const V& v) { r.PutLow(v.doubleValue()); })
            .property("LoUOM", VT_BSTR, [](CQVRange& r) { return V::Text(r.m_lowUOM); },
                      [](CQVRange& r, const V& v) { r.PutLowUOM(v.text()); })
            .property("HiValue", VT_R8, [](CQVRange& r) { return V::Double(r.m_high); },
                      [](CQVRange& r, const V& v) { r.PutHigh(v.doubleValue()); })
            .property("HiUOM", VT_BSTR, [](CQVRange& r) { return V::Text(r.m_highUOM); },
                      [](CQVRange& r, const V& v) { r.PutHighUOM(v.text()); })
            .method("Parent", VT_DISPATCH, [](CQVRange&, const AutomationArgs&) { return AutObject(nullptr); })
            .property("LoWidth", VT_I2, [](CQVRange& r) { return V::Short(r.m_lowWidth); },
                      [](CQVRange& r, const V& v) { r.PutLowWidth(v.shortValue()); })
            .property("HiWidth", VT_I2, [](CQVRange& r) { return V::Short(r.m_highWidth); },
                      [](CQVRange& r, const V& v) { r.PutHighWidth(v.shortValue()); })
            .build();
    return table;
}

void CQVRange::WriteThrough(double low, short lowWidth, const QString& lowUOM, double high, short highWidth,
                            const QString& highUOM)
{
    RequireWritten(UpdateOperationRangeData(m_stepID, m_rangeID, low, lowWidth, lowUOM, high, highWidth, highUOM),
                   QStringLiteral("range"));
    if (auto operation = FindAncestor<CQVOperation>())
        operation->RereadTexts();
}

void CQVRange::PutLow(double value)
{
    if (value == m_low)
        return;
    if (value == 1e35)
        RefuseMarker(QStringLiteral("LoValue"));
    RequireStorableInUnit(value, m_lowUOM, QStringLiteral("LoValue"));
    RequireAllowed(RangeLimitRefusal(m_stepID, m_rangeID, value));
    WriteThrough(value, -1, QString(), 1e35, -1, QString());
    m_low = value;
}

void CQVRange::PutHigh(double value)
{
    if (value == m_high)
        return;
    if (value == 1e35)
        RefuseMarker(QStringLiteral("HiValue"));
    RequireStorableInUnit(value, m_highUOM, QStringLiteral("HiValue"));
    RequireAllowed(RangeLimitRefusal(m_stepID, m_rangeID, value));
    WriteThrough(1e35, -1, QString(), value, -1, QString());
    m_high = value;
}

void CQVRange::PutLowWidth(short width)
{
    if (width == m_lowWidth)
        return;
    if (width == -1)
        RefuseMarker(QStringLiteral("LoWidth"));
    WriteThrough(1e35, width, QString(), 1e35, -1, QString());
    m_lowWidth = width;
}

void CQVRange::PutHighWidth(short width)
{
    if (width == m_highWidth)
        return;
    if (width == -1)
        RefuseMarker(QStringLiteral("HiWidth"));
    WriteThrough(1e35, -1, QString(), 1e35, width, QString());
    m_highWidth = width;
}

void CQVRange::PutLowUOM(const QString& unit)
{
    if (unit == m_lowUOM)
        return;
    if (unit.isEmpty())
        RefuseMarker(QStringLiteral("LoUOM"));
    RequireAllowed(RangeUnitRefusal(m_stepID, m_rangeID, unit, m_low));
    WriteThrough(1e35, -1, unit, 1e35, -1, QString());
    m_lowUOM = unit;
}

void CQVRange::PutHighUOM(const QString& unit)
{
    if (unit == m_highUOM)
        return;
    if (unit.isEmpty())
        RefuseMarker(QStringLiteral("HiUOM"));
    RequireAllowed(RangeUnitRefusal(m_stepID, m_rangeID, unit, m_high));
    WriteThrough(1e35, -1, QString(), 1e35, -1, unit);
    m_highUOM = unit;
}
