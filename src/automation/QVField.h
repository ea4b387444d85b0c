#pragma once
// A field of a parameter group: one value (a double, a long or a text) with its unit, and the
// field's ranges. Value puts are written through to the step database.

#include "automation/AutomationObject.h"

class CQVRanges;

class CQVField : public CAutomationObject {
public:
    CQVField(long stepID, long fieldType) : m_stepID(stepID), m_fieldType(fieldType) {}
    static std::shared_ptr<CQVField> Create(long stepID, long fieldType);
    const CAutomationMemberTable& Members() const override;
    long PathElementID() const override { return m_fieldID; }
    void Detach() override;
    const std::shared_ptr<CQVRanges>& Ranges() const { return m_ranges; }

    long m_stepID;
    long m_fieldType;
    long m_fieldID = -1;
    long m_subGroupIndex = -1;
    long m_longValue = -1;
    double m_doubleValue = 1e35;
    QString m_stringValue;
    QString m_unit;

    void PutDouble(double value);
    void PutLong(long value);
    void PutUnit(const QString& unit);
    void PutString(const QString& text);

private:
    void WriteThrough(double value, long longValue, const QString& unit, const QString& text);

    std::shared_ptr<CQVRanges> m_ranges;
};
