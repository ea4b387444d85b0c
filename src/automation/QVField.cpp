#include "automation/QVField.h"

#include "automation/AutomationOutcome.h"
#include "automation/QVOperation.h"
#include "automation/QVRanges.h"
#include "recipe/edit/FieldUnits.h"
#include "recipe/edit/NonNegativeValues.h"

using V = CAutomationVariant;

std::shared_ptr<CQVField> CQVField::Create(long stepID, long fieldType)
{
    auto field = std::make_shared<CQVField>(stepID, fieldType);
    field->m_ranges = std::make_shared<CQVRanges>();
    field->m_ranges->SetOwner(field);
    return field;
}

const CAutomationMemberTable& CQVField::Members() const
{
    static const CAutomationMemberTable table =
        MemberTableBuilder<CQVField>(QStringLiteral("CQVField"))
            .property("FieldType", VT_I4, [](CQVField& f) { return V::Long(f.m_fieldType); },
                      [](CQVField& f, const V& v) { f.m_fieldType = v.longValue(); })
            .ignoredPut("Index", VT_I4, [](CQVField&) { return V::Long(0); })
            .property("SubGroupIndex", VT_I4, [](CQVField& f) { return V::Long(f.m_subGroupIndex); },
                      [](CQVField& f, const V& v) { f.m_subGroupIndex = v.longValue(); })
            .property("dValue", VT_R8, [](CQVField& f) { return V::Double(f.m_doubleValue); },
                      [](CQVField& f, const V& v) { f.PutDouble(v.doubleValue()); })
            .property("UOM", VT_BSTR, [](CQVField& f) { return V::Text(f.m_unit); },
                      [](CQVField& f, const V& v) { f.PutUnit(v.text()); })
            .property("lValue", VT_I4, [](CQVField& f) { return V::Long(f.m_longValue); },
                      [](CQVField& f, const V& v) { f.PutLong(v.longValue()); })
            .property("strValue", VT_BSTR, [](CQVField& f) { return V::Text(f.m_stringValue); },
                      [](CQVField& f, const V& v) { f.PutString(v.text()); })
            .method("Ranges", VT_DISPATCH, [](CQVField& f, const AutomationArgs&) { return AutObject(f.m_ranges); })
            .method("Parent", VT_DISPATCH, [](CQVField&, const AutomationArgs&) { return AutObject(nullptr); })
            .build();
    return table;
}

void CQVField::Detach()
{
    CAutomationObject::Detach();
    m_ranges->Detach();
}

void CQVField::WriteThrough(double value, long longValue, const QString& unit, const QString& text)
{
    RequireWritten(UpdateOperationFieldData(m_stepID, m_fieldID, value, longValue, unit, text),
                   QStringLiteral("field"));
    if (auto operation = FindAncestor<CQVOperation>())
        operation->RereadTexts();
}

void CQVField::PutDouble(double value)
{
    if (value == m_doubleValue)
        return;
    if (value == 1e35)
        RefuseMarker(QStringLiteral("dValue"));
    RequireStorableInUnit(value, m_unit, QStringLiteral("dValue"));
    RequireAllowed(FieldValueRefusal(m_stepID, m_fieldID, value));
    WriteThrough(value, -1, QString(), QString());
    m_doubleValue = value;
}

void CQVField::PutLong(long value)
{
    if (value == m_longValue)
        return;
    if (value == -1)
        RefuseMarker(QStringLiteral("lValue"));
    RequireAllowed(FieldValueRefusal(m_stepID, m_fieldID, double(value)));
    WriteThrough(1e35, value, QString(), QString());
    m_longValue = value;
}

void CQVField::PutUnit(const QString& unit)
{
    if (unit == m_unit)
        return;
    if (unit.isEmpty())
        RefuseMarker(QStringLiteral("UOM"));
    RequireAllowed(FieldUnitRefusal(m_stepID, m_fieldID, unit, m_doubleValue));
    WriteThrough(1e35, -1, unit, QString());
    m_unit = unit;
}

void CQVField::PutString(const QString& text)
{
    if (text.compare(m_stringValue, Qt::CaseInsensitive) == 0)
        return;
    if (text.isEmpty())
        RefuseMarker(QStringLiteral("strValue"));
    WriteThrough(1e35, -1, QString(), text);
    m_stringValue = text;
}
